#pragma once

namespace win32 {

constexpr int TwipsPerInch = 1440;

// Form coordinates are twips; windows are laid out in pixels at the display's DPI.
int twipsToPixels(int twips, int dpi);

// The LOGFONT height (negative: character height) of a font of `points` at `dpi`.
int fontHeight(double points, int dpi);

}  // namespace win32
