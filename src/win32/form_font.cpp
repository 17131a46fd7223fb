#include "win32/form_font.h"

#include "win32/twips.h"

namespace win32 {
namespace {

constexpr double FontPoints = 8.25;

}  // namespace

// "MS Shell Dlg" names the system's dialog font: Microsoft Sans Serif on Windows (the metrics the
// forms were laid out with, scalable to any DPI, unlike the bitmap MS Sans Serif) and Tahoma
// where that is missing.
HFONT createFormFont(int dpi, bool underlined) {
    return CreateFontW(fontHeight(FontPoints, dpi), 0, 0, 0, FW_NORMAL, FALSE, underlined, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       L"MS Shell Dlg");
}

int lineHeightOf(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return static_cast<int>(metrics.tmHeight);
}

}  // namespace win32
