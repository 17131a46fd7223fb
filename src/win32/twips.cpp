#include "win32/twips.h"

#include <cmath>

namespace win32 {

int twipsToPixels(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / TwipsPerInch));
}

int fontHeight(double points, int dpi) { return -static_cast<int>(std::lround(points * dpi / 72)); }

}  // namespace win32
