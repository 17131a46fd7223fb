#pragma once

#include <windows.h>
#include <oaidl.h>

#include <vector>

namespace win32 {

// An IEnumVARIANT over child IDs (VT_I4), as IAccessible::get_accSelection hands out for several
// selected entries. The caller owns the one reference returned.
IEnumVARIANT* createChildEnumeration(std::vector<LONG> children);

}  // namespace win32
