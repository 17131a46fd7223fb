#pragma once

#include <windows.h>

#include <string>

namespace windowcheck {

// The switch that makes window_check.exe the other process of checkListTextRequests, and what
// that process does: send LB_GETTEXT to the list whose handle follows, in decimal.
inline constexpr wchar_t SendListTextSwitch[] = L"--send-list-text";
int sendListText(const wchar_t* window);
// What LB_GETTEXT and the entry-text message write, from this thread, another and another process.
void checkListTextRequests();
// The keys the first list of a shown People & Resources window answers.
void checkListKeys(HWND window, const std::string& name);
// What a screen reader learns of a list, and once the list is gone.
void checkListAccessibility();
// The messages a whole directory costs the hidden People & Resources lists, once made: a constant
// number, not one per entry.
void checkListMessages(const std::string& name);

}  // namespace windowcheck
