#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace host {

// A new reference to a type description of one simulated class: only its identity (a GUID of
// its own per class name) is described, which is what a caller caching DISPIDs by type needs.
ITypeInfo* classTypeInfo(const std::string& className);

}  // namespace host
