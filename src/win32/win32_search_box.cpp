#include "win32/win32_search_box.h"

#include "win32/com_boundary.h"
#include "win32/wide.h"

namespace win32 {
namespace {

bool isEscape(UINT message, WPARAM key) {
    return (message == WM_KEYDOWN || message == WM_CHAR) && key == VK_ESCAPE;
}

}  // namespace

Blueprint Win32SearchBox::blueprint() const {
    return {L"EDIT", text_, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
}

void Win32SearchBox::attached() {
    SetWindowLongPtrW(handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    baseProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(boxProcedure)));
}

// The window's change notification reports the user's typing and setText's alike.
void Win32SearchBox::setText(const std::string& text) {
    if (text == text_) return;
    if (handle()) {
        SetWindowTextW(handle(), wide(text).c_str());
        return;
    }
    text_ = text;
    runHandler(onChange);
}

void Win32SearchBox::command(WORD notification) {
    if (notification != EN_CHANGE) return;
    const std::wstring typed = windowText(handle());
    text_ = narrow(typed.c_str(), typed.size());
    runHandler(onChange);
}

LRESULT CALLBACK Win32SearchBox::boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32SearchBox*>(GetWindowLongPtrW(box, GWLP_USERDATA));
    return guardedMessage([&] { return self->answer(message, wParam, lParam); },
                          [&] { return CallWindowProcW(self->baseProcedure_, box, message, wParam, lParam); });
}

// The box claims Esc from the dialog manager, which would make it the cancel button's; both the
// key and its character stop here, so the edit does not beep at the character.
LRESULT Win32SearchBox::answer(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) {
        const LRESULT code = CallWindowProcW(baseProcedure_, handle(), message, wParam, lParam);
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        return pending && isEscape(pending->message, pending->wParam) ? code | DLGC_WANTMESSAGE : code;
    }
    if (isEscape(message, wParam)) {
        if (message == WM_KEYDOWN) setText("");
        return 0;
    }
    return CallWindowProcW(baseProcedure_, handle(), message, wParam, lParam);
}

}  // namespace win32
