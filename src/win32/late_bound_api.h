#pragma once

#include <windows.h>

namespace win32 {

// Functions the add-in binds by name at run time, as it declares them: ShellExecuteW from
// "shell32.dll" and the registry reads from "advapi32". The wide forms take any text, whatever
// the ANSI code page. A library or entry point that cannot be found raises the Basic runtime's
// error for a failed declaration.
using ShellExecuteWFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
using RegOpenKeyExWFunction = LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);
using RegQueryValueExWFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using RegCloseKeyFunction = LONG(WINAPI*)(HKEY);

// Bound the same way but optional: user32 has it from Windows 10 version 1607 on, and null
// before, where a window's DPI is the screen's.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
// Also optional, from Windows Vista on: kernel32 has both, and before, normaliz.dll has the first
// where it is installed.
using NormalizeStringFunction = int(WINAPI*)(int normalizationForm, LPCWSTR, int, LPWSTR, int);
using LCMapStringExFunction = int(WINAPI*)(LPCWSTR, DWORD, LPCWSTR, int, LPWSTR, int, void*, void*, LPARAM);

ShellExecuteWFunction shellExecuteW();
RegOpenKeyExWFunction regOpenKeyExW();
RegQueryValueExWFunction regQueryValueExW();
RegCloseKeyFunction regCloseKey();
GetDpiForWindowFunction getDpiForWindow();
NormalizeStringFunction normalizeString();
LCMapStringExFunction lcMapStringEx();

}  // namespace win32
