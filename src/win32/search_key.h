#pragma once

#include <string>

namespace win32 {

// `text` without its accents and in lower case, by the user's locale's rules: "Zoë Ångström"
// becomes "zoe angstrom". Never fails: where the system cannot fold, the text is as near to
// that as it can make it.
std::wstring searchKeyOf(const std::wstring& text);

}  // namespace win32
