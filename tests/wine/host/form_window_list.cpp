#include "form_window_list.h"

#include <algorithm>
#include <stdexcept>

#include "win32/form_windows.h"

namespace host {
namespace {

FormWindowList* active = nullptr;
std::vector<HWND>* tracked = nullptr;

bool isFormWindow(HWND window) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return lstrcmpW(className, win32::FormWindowClass) == 0;
}

}  // namespace

FormWindowList::FormWindowList() {
    if (active) throw std::logic_error("one form window list at a time");
    hook_ = SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId());
    if (!hook_) throw std::runtime_error("cannot watch the thread's windows");
    active = this;
    tracked = &windows_;
}

FormWindowList::~FormWindowList() {
    UnhookWindowsHookEx(hook_);
    active = nullptr;
    tracked = nullptr;
}

LRESULT CALLBACK FormWindowList::hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && tracked) {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!(create->style & WS_CHILD) && isFormWindow(window)) tracked->push_back(window);
    } else if (code == HCBT_DESTROYWND && tracked) {
        tracked->erase(std::remove(tracked->begin(), tracked->end(), window), tracked->end());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace host
