#pragma once

#include <windows.h>

#include <string>

namespace windowcheck {

// The keys the first list of a shown People & Resources window answers.
void checkListKeys(HWND window, const std::string& name);
// What a screen reader learns of a list, and once the list is gone.
void checkListAccessibility();
// The messages a whole directory costs the hidden People & Resources lists, once made: a constant
// number, not one per entry.
void checkListMessages(const std::string& name);

}  // namespace windowcheck
