#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Each form window and control carries its name ("PeopleResourcesForm", "SaveButton") as a window
// property holding a global atom, so that a host in the same process can find and read them with
// plain Win32 calls, as a user's tools see them.
void setWindowName(HWND window, const std::string& name);
// Takes the name off again; call before the window is destroyed.
void clearWindowName(HWND window);
// The name given, or empty.
std::string windowName(HWND window);

// Win32 buttons have no Escape flag of their own.
void markCancelButton(HWND button);
bool isCancelButton(HWND button);

}  // namespace win32
