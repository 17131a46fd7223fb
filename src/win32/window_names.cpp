#include "win32/window_names.h"

#include "win32/wide.h"

namespace win32 {
namespace {

constexpr const wchar_t* NameProperty = L"Quorvel.Name";
constexpr const wchar_t* CancelProperty = L"Quorvel.Cancel";

HANDLE atomHandle(ATOM atom) { return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom)); }

}  // namespace

void setWindowName(HWND window, const std::string& name) {
    if (name.empty()) return;
    const ATOM atom = GlobalAddAtomW(wide(name).c_str());
    if (atom && !SetPropW(window, NameProperty, atomHandle(atom))) GlobalDeleteAtom(atom);
}

void clearWindowName(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropW(window, NameProperty)));
    if (atom) GlobalDeleteAtom(atom);
    RemovePropW(window, CancelProperty);
}

std::string windowName(HWND window) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(window, NameProperty)));
    if (!atom) return {};
    wchar_t name[256];
    const UINT length = GlobalGetAtomNameW(atom, name, 256);
    return narrow(name, length);
}

void markCancelButton(HWND button) { SetPropW(button, CancelProperty, atomHandle(1)); }

bool isCancelButton(HWND button) { return GetPropW(button, CancelProperty) != nullptr; }

}  // namespace win32
