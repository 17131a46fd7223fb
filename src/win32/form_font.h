#pragma once

#include <windows.h>

namespace win32 {

// The forms' font at `dpi`; the caller deletes it.
HFONT createFormFont(int dpi, bool underlined);
// The height of a line of text in `font`, as a list entry of that font is high.
int lineHeightOf(HFONT font);

}  // namespace win32
