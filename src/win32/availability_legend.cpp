#include "win32/availability_legend.h"

#include <cctype>

#include "win32/availability_mark.h"
#include "win32/wide.h"

namespace win32 {
namespace {

std::wstring legendWords(ui::Availability state) {
    std::string words = ui::availabilityWords(state);
    if (!words.empty()) words[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(words[0])));
    return wide(words);
}

}  // namespace

Blueprint Win32AvailabilityLegend::blueprint() const {
    std::string text;
    for (ui::Availability state : ui::LegendStates) {
        std::wstring words = legendWords(state);
        text += (text.empty() ? "" : ", ") + narrow(words.c_str(), words.size());
    }
    return {L"STATIC", text, SS_OWNERDRAW};
}

// On the form's background, in the form's font, a line high at the top of the control; a line's
// half a line apart.
void Win32AvailabilityLegend::draw(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ previousFont = SelectObject(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(handle(), WM_GETFONT, 0, 0)));
    const int previousMode = SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF previousText = SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(item.hDC, &metrics);
    const int lineHeight = metrics.tmHeight;
    int left = item.rcItem.left;
    for (ui::Availability state : ui::LegendStates) {
        drawMark(item.hDC, markBox(left, item.rcItem.top, lineHeight), state);
        left += markRoom(lineHeight);
        const std::wstring words = legendWords(state);
        RECT place{left, item.rcItem.top, item.rcItem.right, item.rcItem.top + lineHeight};
        RECT needed = place;
        DrawTextW(item.hDC, words.c_str(), static_cast<int>(words.size()), &needed,
                  DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        DrawTextW(item.hDC, words.c_str(), static_cast<int>(words.size()), &place, DT_SINGLELINE | DT_NOPREFIX);
        left = needed.right + lineHeight / 2;
    }
    SetTextColor(item.hDC, previousText);
    SetBkMode(item.hDC, previousMode);
    SelectObject(item.hDC, previousFont);
}

}  // namespace win32
