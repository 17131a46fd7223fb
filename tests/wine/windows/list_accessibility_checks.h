#pragma once

#include <windows.h>

#include <string>

namespace windowcheck {

// The names screen readers give the lists of a shown People & Resources window, from the labels
// before them, and where the lists say they are.
void checkListNames(HWND window, const std::string& name);
// Controls added to a window already shown, as when forms' windows are made at once: the list is
// named after its label all the same, and Tab still goes by the tab indexes.
void checkListNamedInAShownWindow();
// Choosing entries as voice control and UI Automation do, through the lists' IAccessible: the
// flags' contract, the selection handed out, and the same outcome as a click.
void checkListChoosing();

}  // namespace windowcheck
