#include "win32/win32_controls.h"

#include <algorithm>
#include <exception>
#include <string>

#include "automation/error.h"
#include "win32/module.h"
#include "win32/wide.h"
#include "win32/window_names.h"

namespace win32 {
namespace {

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

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void widenToText(HWND label) {
    RECT box{};
    GetClientRect(label, &box);
    const std::wstring text = windowText(label);
    if (text.empty()) return;
    // Measured on a memory DC like the screen: no window's visible region needs working out.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT needed{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    SelectObject(dc, previous);
    DeleteDC(dc);
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

void Win32Control::attach(HWND handle) {
    handle_ = handle;
    attached();
}

void showLabelText(HWND label, const std::string& text) {
    if (!label) return;
    SetWindowTextW(label, wide(text).c_str());
    widenToText(label);
}

void Win32Label::setText(const std::string& text) {
    text_ = text;
    showLabelText(handle(), text);
}

void Win32LinkLabel::setText(const std::string& text) {
    text_ = text;
    showLabelText(handle(), text);
}

void Win32LinkLabel::command(WORD notification) {
    if (notification == STN_CLICKED) runHandler(onClick);
}

Blueprint Win32Button::blueprint() const {
    return {L"BUTTON", caption_, static_cast<DWORD>(WS_TABSTOP | (isDefault_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON))};
}

void Win32Button::attached() {
    if (isCancel_) markCancelButton(handle());
}

void Win32Button::command(WORD notification) {
    if (notification == BN_CLICKED) click();
}

void Win32Picture::attached() {
    bitmap_ = static_cast<HBITMAP>(
        LoadImageW(module(), MAKEINTRESOURCEW(bitmapId_), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (bitmap_) SendMessageW(handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
}

void Win32Picture::fitContent() {
    if (bitmap_) SendMessageW(handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
}

// Made, an etched line keeps the width asked for as its client area, with no height, inside the
// static edge the system gives it.
void Win32Separator::fitContent() {
    RECT placed{};
    GetWindowRect(handle(), &placed);
    RECT line{0, 0, placed.right - placed.left, 0};
    AdjustWindowRectEx(&line, static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
    SetWindowPos(handle(), nullptr, 0, 0, line.right - line.left, line.bottom - line.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Picture::~Win32Picture() {
    if (bitmap_) DeleteObject(bitmap_);
}

}  // namespace win32
