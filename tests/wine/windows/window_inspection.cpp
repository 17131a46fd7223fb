#include "window_inspection.h"

#include <cmath>

#include "win32/list_entry_text.h"

namespace windowcheck {
namespace {

// A push button's label lies inside its edge and its focus rectangle.
constexpr int ButtonTextMarginX = 4;
constexpr int ButtonTextMarginY = 2;

// Far more than any form has: a cycle that never closes ends here.
constexpr size_t MaxTabStops = 64;

Child describe(HWND handle) {
    Child child{
        handle, className(handle), windowText(handle), static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE)), {}};
    GetWindowRect(handle, &child.rect);
    MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&child.rect), 2);
    return child;
}

// The rectangle the text needs when drawn with `format` into a box `width` pixels wide.
RECT measure(const Child& child, int width, UINT format) {
    RECT needed{0, 0, width, 0};
    HDC dc = GetDC(child.handle);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(child.handle, WM_GETFONT, 0, 0)));
    DrawTextW(dc, child.text.c_str(), static_cast<int>(child.text.size()), &needed, format | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(child.handle, dc);
    return needed;
}

}  // namespace

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<Child> children(HWND window) {
    std::vector<Child> found;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        found.push_back(describe(child));
    return found;
}

bool isClass(const Child& child, const wchar_t* name) { return lstrcmpiW(child.className.c_str(), name) == 0; }

bool showsText(const Child& child) {
    const DWORD kind = child.style & SS_TYPEMASK;
    return isClass(child, L"Static") && kind != SS_BITMAP && kind != SS_ETCHEDHORZ && kind != SS_OWNERDRAW;
}

SIZE clientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

SIZE windowDpi(HWND window) {
    HDC dc = GetDC(window);
    const SIZE dpi{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
    ReleaseDC(window, dc);
    return dpi;
}

int twipsToPixels(int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

int listCount(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); }

bool listChosen(HWND list, int index) { return SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0; }

std::wstring listText(HWND list, int index) { return readListEntryText(list, index); }

std::wstring drawnText(const std::wstring& text) {
    std::wstring drawn;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        drawn += text[i];
    }
    return drawn;
}

TextRoom textRoom(const Child& child) {
    const SIZE box = clientSize(child.handle);
    if (isClass(child, L"Button")) {
        const RECT needed = measure(child, box.cx, DT_SINGLELINE);
        return {{needed.right, needed.bottom}, {box.cx - 2 * ButtonTextMarginX, box.cy - 2 * ButtonTextMarginY}};
    }
    const UINT prefix = (child.style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    const RECT needed = measure(child, box.cx, DT_WORDBREAK | DT_EXPANDTABS | prefix);
    return {{needed.right, needed.bottom}, box};
}

FontFaces fontFaces(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (!font) return {};
    LOGFONTW requested{};
    GetObjectW(font, sizeof requested, &requested);
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, font);
    std::wstring realised;
    const UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size > 0) {
        std::vector<char> buffer(size);
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        if (GetOutlineTextMetricsW(dc, size, metrics))
            realised =
                reinterpret_cast<const wchar_t*>(buffer.data() + reinterpret_cast<UINT_PTR>(metrics->otmpFamilyName));
    }
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return {requested.lfFaceName, realised};
}

std::vector<HWND> tabOrder(HWND window) {
    std::vector<HWND> order;
    const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    HWND stop = first;
    while (stop && order.size() < MaxTabStops) {
        order.push_back(stop);
        stop = GetNextDlgTabItem(window, stop, FALSE);
        if (stop == first) break;
    }
    return order;
}

}  // namespace windowcheck
