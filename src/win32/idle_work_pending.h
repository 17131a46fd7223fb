#pragma once

#include <windows.h>

// How a caller on a form's own thread (a test host waiting for the form to settle) learns how
// much idle work the form still has running.
//
// Message: RegisterWindowMessageW(IdleWorkPendingMessageName), sent to the form's top-level
// window; wParam and lParam 0. Answer: the number of idle works still running, or -1 for a sender
// on another thread.
inline constexpr wchar_t IdleWorkPendingMessageName[] = L"Quorvel.IdleWorkPending";

inline UINT idleWorkPendingMessage() {
    static const UINT message = RegisterWindowMessageW(IdleWorkPendingMessageName);
    return message;
}
