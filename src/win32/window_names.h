#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Each form window and control has a name ("PeopleResourcesForm", "SaveButton") that a host on
// the form's thread reads with plain Win32 calls. The form keeps the names and answers for itself
// and its controls: naming a window costs no call to the system, and leaves nothing in the
// session's global atom table.
//
// Message: RegisterWindowMessageW(L"Quorvel.WindowName"), sent to the form's top-level window.
// wParam: the form or one of its controls. lParam: a ListEntryText (list_entry_text.h), answered
// as the lists answer it; LB_ERR for a window the form does not know and a sender on another
// thread.
UINT windowNameMessage();
// The name given, or empty.
std::string windowName(HWND window);

// Win32 buttons have no Escape flag of their own. The mark comes off before the button goes, as
// a window's properties must.
void markCancelButton(HWND button);
void unmarkCancelButton(HWND button);
bool isCancelButton(HWND button);

}  // namespace win32
