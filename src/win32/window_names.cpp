#include "win32/window_names.h"

#include "win32/list_entry_text.h"
#include "win32/wide.h"

namespace win32 {
namespace {

constexpr const wchar_t* CancelProperty = L"Quorvel.Cancel";

}  // namespace

UINT windowNameMessage() {
    static const UINT message = RegisterWindowMessageW(L"Quorvel.WindowName");
    return message;
}

std::string windowName(HWND window) {
    const std::wstring name =
        readTextAnswer(GetAncestor(window, GA_ROOT), windowNameMessage(), reinterpret_cast<WPARAM>(window));
    return narrow(name.data(), name.size());
}

void markCancelButton(HWND button) { SetPropW(button, CancelProperty, reinterpret_cast<HANDLE>(1)); }

void unmarkCancelButton(HWND button) { RemovePropW(button, CancelProperty); }

bool isCancelButton(HWND button) { return GetPropW(button, CancelProperty) != nullptr; }

}  // namespace win32
