#pragma once

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string_view>

namespace win32 {

// DISPIDs are fixed for an interface type, so each (type, member name) is asked once per
// process and shared by every object of that type.
std::optional<DISPID> cachedDispid(const GUID& type, std::string_view member);
void cacheDispid(const GUID& type, std::string_view member, DISPID dispid);

}  // namespace win32
