#include "win32/availability_legend.h"

#include <algorithm>
#include <cctype>
#include <vector>

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

// On the form's background, in the form's font, a line high at the top of the control: the states
// spread over its width, at most a line's height apart, so that the row fits at any DPI however
// the font's widths grow.
void Win32AvailabilityLegend::draw(const DRAWITEMSTRUCT& item) const {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ previousFont = SelectObject(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(handle(), WM_GETFONT, 0, 0)));
    const int previousMode = SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF previousText = SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(item.hDC, &metrics);
    const int lineHeight = metrics.tmHeight;
    std::vector<std::wstring> words;
    std::vector<int> widths;
    int needed = 0;
    for (ui::Availability state : ui::LegendStates) {
        words.push_back(legendWords(state));
        SIZE size{};
        GetTextExtentPoint32W(item.hDC, words.back().c_str(), static_cast<int>(words.back().size()), &size);
        widths.push_back(size.cx);
        needed += markRoom(lineHeight) + size.cx;
    }
    const int gaps = static_cast<int>(words.size()) - 1;
    const int spare = item.rcItem.right - item.rcItem.left - needed;
    const int gap = std::max(0, std::min(lineHeight, spare / gaps));
    int left = item.rcItem.left;
    for (size_t index = 0; index < words.size(); ++index) {
        drawMark(item.hDC, markBox(left, item.rcItem.top, lineHeight), ui::LegendStates[index]);
        left += markRoom(lineHeight);
        RECT place{left, item.rcItem.top, item.rcItem.right, item.rcItem.top + lineHeight};
        DrawTextW(item.hDC, words[index].c_str(), static_cast<int>(words[index].size()), &place,
                  DT_SINGLELINE | DT_NOPREFIX);
        left += widths[index] + gap;
    }
    SetTextColor(item.hDC, previousText);
    SetBkMode(item.hDC, previousMode);
    SelectObject(item.hDC, previousFont);
}

}  // namespace win32
