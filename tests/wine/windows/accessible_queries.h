#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

namespace windowcheck {

// A child ID as IAccessible takes it.
VARIANT child(LONG id);
// The name an accessible object gives itself or its child, empty where it gives none.
std::wstring nameOf(IAccessible* accessible, LONG id);

}  // namespace windowcheck
