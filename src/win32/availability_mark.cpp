#include "win32/availability_mark.h"

namespace win32 {
namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);
constexpr COLORREF Blue = RGB(0, 114, 198);
constexpr COLORREF Purple = RGB(128, 0, 128);

// A solid mark has no pattern; a patterned one draws its colour's lines over white.
constexpr int Solid = -1;

struct MarkLook {
    COLORREF fill;     // solid: the whole square; patterned: the lines
    int pattern;       // a hatch style, or Solid
    COLORREF edge;
};

MarkLook lookOf(ui::Availability availability) {
    switch (availability) {
    case ui::Availability::Free: return {White, Solid, Grey};
    case ui::Availability::Tentative: return {Blue, HS_BDIAGONAL, Blue};
    case ui::Availability::Busy: return {Blue, Solid, Blue};
    case ui::Availability::OutOfOffice: return {Purple, Solid, Purple};
    case ui::Availability::WorkingElsewhere: return {Purple, HS_DIAGCROSS, Purple};
    case ui::Availability::NoInformation: return {Grey, HS_FDIAGONAL, Grey};
    case ui::Availability::Unknown: break;
    }
    return {White, Solid, White};
}

// The square's margin inside its line, and the gap between it and the text.
int insetOf(int lineHeight) { return lineHeight / 8 > 0 ? lineHeight / 8 : 1; }
int gapOf(int lineHeight) { return lineHeight / 4; }

void fill(HDC dc, const RECT& box, const MarkLook& look) {
    if (look.pattern == Solid) {
        HBRUSH brush = CreateSolidBrush(look.fill);
        FillRect(dc, &box, brush);
        DeleteObject(brush);
        return;
    }
    // A hatch brush paints the gaps between its lines in the background colour.
    const COLORREF previousBack = SetBkColor(dc, White);
    const int previousMode = SetBkMode(dc, OPAQUE);
    HBRUSH brush = CreateHatchBrush(look.pattern, look.fill);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
    SetBkMode(dc, previousMode);
    SetBkColor(dc, previousBack);
}

}  // namespace

// The square and its margins span the line's height.
int markRoom(int lineHeight) { return lineHeight + gapOf(lineHeight); }

RECT markBox(int left, int top, int lineHeight) {
    const int inset = insetOf(lineHeight);
    const int side = lineHeight - 2 * inset;
    return {left + inset, top + inset, left + inset + side, top + inset + side};
}

void drawMark(HDC dc, const RECT& box, ui::Availability availability) {
    if (availability == ui::Availability::Unknown) return;
    const MarkLook look = lookOf(availability);
    fill(dc, box, look);
    HBRUSH edge = CreateSolidBrush(look.edge);
    FrameRect(dc, &box, edge);
    DeleteObject(edge);
}

}  // namespace win32
