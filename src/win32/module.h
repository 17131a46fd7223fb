#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// The DLL's own module handle, recorded by DllMain.
void setModule(HINSTANCE module);
HINSTANCE module();
// The full path of the DLL file.
std::wstring modulePath();

// Everything of the library that the host may still reach keeps it loaded: COM objects handed
// out, server locks and open windows. DllCanUnloadNow answers from this count.
void holdModule();
void releaseModule();
bool moduleInUse();

}  // namespace win32
