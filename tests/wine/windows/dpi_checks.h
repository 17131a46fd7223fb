#pragma once

#include <windows.h>

#include <string>

#include "controller.h"
#include "form_expectations.h"

namespace windowcheck {

// The DPI a window is moved to in checkDpiChange.
constexpr int ChangedDpi = 144;

// Writes "GEOMETRY <kind> <form> <layout>": the client area and each control's class, place, font
// height and, for a list, entry height, in z-order. The script compares a window rescaled to
// ChangedDpi with one made at that DPI.
void reportGeometry(const std::string& kind, HWND window, const FormExpectation& expected);

// Sends the window WM_DPICHANGED from its DPI to ChangedDpi, as Windows does when the window moves
// to a monitor of that DPI, checks its client area, reports its geometry as "rescaled" and has it
// photographed as <form>_rescaled.
void checkDpiChange(HWND window, const FormExpectation& expected, Controller& controller);

// A label too narrow for its text widens to the window's edge; told of ChangedDpi, it reaches the
// edge of the window's new client area again.
void checkLabelWidenedAtChangedDpi();

}  // namespace windowcheck
