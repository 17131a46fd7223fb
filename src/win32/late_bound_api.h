#pragma once

#include <windows.h>

namespace win32 {

// Functions the add-in binds by name at run time, as it declares them: ShellExecuteA from
// "shell32.dll" and the registry reads from "advapi32". A library or entry point that cannot be
// found raises the Basic runtime's error for a failed declaration.
using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using RegOpenKeyExAFunction = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
using RegQueryValueExAFunction = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using RegCloseKeyFunction = LONG(WINAPI*)(HKEY);

ShellExecuteAFunction shellExecuteA();
RegOpenKeyExAFunction regOpenKeyExA();
RegQueryValueExAFunction regQueryValueExA();
RegCloseKeyFunction regCloseKey();

}  // namespace win32
