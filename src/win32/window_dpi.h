#pragma once

#include <windows.h>

namespace win32 {

// Pixels per inch the screen has for the add-in's process.
int screenDpi();
// The DPI a window is laid out at: its own monitor's where Windows tells it (a per-monitor aware
// process, as Outlook 365 is, on Windows 10 1607 and later), the screen's before.
int windowDpi(HWND window);

}  // namespace win32
