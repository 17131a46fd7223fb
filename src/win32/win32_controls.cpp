#include "win32/win32_controls.h"

#include <algorithm>
#include <exception>
#include <string>

#include "automation/error.h"
#include "win32/wide.h"

namespace win32 {
namespace {

constexpr int32_t OutOfMemoryNumber = 7;
constexpr int32_t BadIndexNumber = 381;

std::string failureText() {
    try {
        throw;
    } catch (const automation::Error& error) {
        return "Run-time error '" + std::to_string(error.code()) + "':\n\n" + error.description();
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Unexpected failure";
    }
}

}  // namespace

void runHandler(const std::function<void()>& handler) noexcept {
    if (!handler) return;
    try {
        std::function<void()> call = handler;
        call();
    } catch (...) {
        try {
            MessageBoxW(nullptr, wide(failureText()).c_str(), L"Quorvel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
        } catch (...) {
            MessageBoxW(nullptr, L"Unexpected failure", L"Quorvel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
        }
    }
}

void widenToText(HWND label) {
    RECT box{};
    GetClientRect(label, &box);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    HDC dc = GetDC(label);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT needed{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    if (box.bottom >= 2 * metrics.tmHeight || needed.right <= box.right) return;

    HWND parent = GetParent(label);
    RECT client{};
    GetClientRect(parent, &client);
    RECT placed{};
    GetWindowRect(label, &placed);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
    const LONG width = std::max(box.right, std::min(needed.right, client.right - placed.left));
    SetWindowPos(label, nullptr, 0, 0, width, placed.bottom - placed.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Label::Win32Label(HWND handle, int id, std::string text) : Win32Control(handle, id), text_(std::move(text)) {
    widenToText(handle);
}

void Win32Label::setText(const std::string& text) {
    text_ = text;
    SetWindowTextW(handle(), wide(text).c_str());
    widenToText(handle());
}

Win32LinkLabel::Win32LinkLabel(HWND handle, int id, std::string text)
    : Win32Control(handle, id), text_(std::move(text)) {
    widenToText(handle);
}

void Win32LinkLabel::setText(const std::string& text) {
    text_ = text;
    SetWindowTextW(handle(), wide(text).c_str());
    widenToText(handle());
}

void Win32LinkLabel::command(WORD notification) {
    if (notification == STN_CLICKED) runHandler(onClick);
}

void Win32Button::command(WORD notification) {
    if (notification == BN_CLICKED) click();
}

LRESULT Win32ListBox::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(handle(), message, wParam, lParam);
}

void Win32ListBox::checkIndex(int index) const {
    if (index < 0 || index >= count()) throw automation::Error(BadIndexNumber, "Invalid property array index");
}

int Win32ListBox::addItem(const std::string& text) {
    const LRESULT index = send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(text).c_str()));
    if (index < 0) throw automation::Error(OutOfMemoryNumber, "Out of memory");
    return static_cast<int>(index);
}

void Win32ListBox::removeItem(int index) {
    checkIndex(index);
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

void Win32ListBox::clear() { send(LB_RESETCONTENT); }

int Win32ListBox::count() const { return static_cast<int>(send(LB_GETCOUNT)); }

std::string Win32ListBox::text(int index) const {
    checkIndex(index);
    const LRESULT length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    std::wstring buffer(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const LRESULT copied = send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return narrow(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

int32_t Win32ListBox::itemData(int index) const {
    checkIndex(index);
    return static_cast<int32_t>(send(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

// Where the list box itself answers LB_ERR for a bad index, that answer is the check: every
// message counts when a directory of thousands fills the list.
void Win32ListBox::setItemData(int index, int32_t data) {
    if (send(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)) == LB_ERR) checkIndex(index);
}

bool Win32ListBox::selected(int index) const {
    const LRESULT state = send(LB_GETSEL, static_cast<WPARAM>(index));
    if (state == LB_ERR) checkIndex(index);
    return state > 0;
}

void Win32ListBox::setSelected(int index, bool chosen) {
    if (multiSelect_) {
        // Index -1 would mean every entry to the list box.
        if (index < 0 || send(LB_SETSEL, chosen ? TRUE : FALSE, static_cast<LPARAM>(index)) == LB_ERR)
            checkIndex(index);
        return;
    }
    checkIndex(index);
    if (chosen) {
        send(LB_SETCURSEL, static_cast<WPARAM>(index));
    } else if (send(LB_GETCURSEL) == index) {
        send(LB_SETCURSEL, static_cast<WPARAM>(-1));
    }
}

void Win32ListBox::unselectAll() {
    if (multiSelect_)
        send(LB_SETSEL, FALSE, static_cast<LPARAM>(-1));
    else
        send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

// Without redrawing, the list box also leaves its scroll bar alone until the update ends.
void Win32ListBox::beginUpdate() { send(WM_SETREDRAW, FALSE); }

void Win32ListBox::endUpdate() {
    send(WM_SETREDRAW, TRUE);
    InvalidateRect(handle(), nullptr, TRUE);
}

// A click toggles an entry of a multi-select list; the caret is on the entry clicked.
void Win32ListBox::command(WORD notification) {
    if (notification != LBN_SELCHANGE || !onToggled) return;
    const LRESULT index = send(multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL);
    if (index < 0) return;
    runHandler([toggled = onToggled, clicked = static_cast<int>(index)] { toggled(clicked); });
}

Win32Picture::~Win32Picture() {
    if (bitmap_) DeleteObject(bitmap_);
}

}  // namespace win32
