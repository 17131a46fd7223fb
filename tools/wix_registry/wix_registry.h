#pragma once

#include <string>

#include "win32/registration_data.h"

namespace wix_registry {

// A WiX fragment with one component per build, in its own registry view, holding every value
// DllRegisterServer writes for a build installed in [INSTALLFOLDER]x64 or [INSTALLFOLDER]x86.
std::string fragment(const win32::registration::Ids& ids);

}  // namespace wix_registry
