#pragma once

#include <windows.h>

#include "ui/widgets.h"

namespace win32 {

// An availability's mark is a square about a line of text high, drawn before the text it marks;
// lists and the legend size it from their line's height, so it follows the DPI with the font.

// From a line's left edge to where the text after a mark begins.
int markRoom(int lineHeight);
// The square of a mark in a line of `lineHeight` pixels whose top-left corner is `left`, `top`.
RECT markBox(int left, int top, int lineHeight);
// Draws the mark of `availability` into `box`, in the colours Outlook shows these states in, and
// always with an edge, so that the states stay apart in high contrast. Unknown draws nothing.
void drawMark(HDC dc, const RECT& box, ui::Availability availability);

}  // namespace win32
