#pragma once

#include <windows.h>

namespace windowcheck {

// Whether the screen shows the window, frame and controls, pixel for pixel as the window drew
// them: only then is a screenshot of it worth taking.
bool screenShows(HWND window);

}  // namespace windowcheck
