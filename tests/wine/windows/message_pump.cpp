#include "message_pump.h"

#include <algorithm>

namespace windowcheck {
namespace {

// How long a poll waits for a message before it looks again.
constexpr DWORD PollIntervalMs = 20;

// Milliseconds left until `timeoutMs` after `start`; unsigned arithmetic survives the tick wrap.
DWORD remaining(DWORD start, DWORD timeoutMs) {
    const DWORD elapsed = GetTickCount() - start;
    return elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
}

}  // namespace

void pumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool pollUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpPending();
        if (condition()) return true;
        const DWORD left = remaining(start, timeoutMs);
        if (left == 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min(left, PollIntervalMs), QS_ALLINPUT);
    }
}

bool pumpUntilSignalled(HANDLE handle, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpPending();
        const DWORD left = remaining(start, timeoutMs);
        if (left == 0) return false;
        if (MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_ALLINPUT) == WAIT_OBJECT_0) return true;
    }
}

}  // namespace windowcheck
