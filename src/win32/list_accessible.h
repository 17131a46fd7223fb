#pragma once

#include <windows.h>
#include <oleacc.h>

namespace win32 {

class Win32ListBox;

// What a screen reader or voice control asks of a list: its name and its entries' names, roles,
// states and places, and the choosing of entries. The list box holds no strings, so the system's
// own accessible object for it could name no entry.
struct ListAccessibleObject {
    IAccessible accessible;
    LONG references;
    Win32ListBox* list;  // null once the list is gone
};

// A new object with one reference, owned by the caller.
ListAccessibleObject* createListAccessible(Win32ListBox& list);
// Calls that still arrive (a screen reader may hold the object longer) answer that it is gone.
void detachListAccessible(ListAccessibleObject* object);
// The answer to WM_GETOBJECT for the list's client area; 0 where the system's accessibility
// library cannot be loaded or cannot pass the object on, so that the list box answers as it would.
LRESULT answerGetObject(IAccessible* object, WPARAM wParam);

}  // namespace win32
