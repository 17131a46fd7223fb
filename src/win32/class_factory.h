#pragma once

#include <windows.h>

namespace win32 {

// DllGetClassObject: the class factory of Connect, the library's only class.
HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** out);

}  // namespace win32
