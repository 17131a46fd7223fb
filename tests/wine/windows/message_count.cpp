#include "message_count.h"

namespace windowcheck {
namespace {

HWND target = nullptr;
UINT kind = 0;
int counted = 0;

void count(HWND window, UINT message) {
    if (window == target && (kind == 0 || message == kind)) ++counted;
}

LRESULT CALLBACK sent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) count(message->hwnd, message->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK taken(int code, WPARAM removal, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE) count(message->hwnd, message->message);
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

MessageCount::MessageCount(HWND window, UINT message, Way way) {
    target = window;
    kind = message;
    counted = 0;
    hook_ = way == Way::Sent ? SetWindowsHookExW(WH_CALLWNDPROC, sent, nullptr, GetCurrentThreadId())
                             : SetWindowsHookExW(WH_GETMESSAGE, taken, nullptr, GetCurrentThreadId());
}

MessageCount::~MessageCount() {
    UnhookWindowsHookEx(hook_);
    target = nullptr;
}

int MessageCount::count() const { return counted; }

}  // namespace windowcheck
