#pragma once

#include <windows.h>
#include <oaidl.h>

namespace win32 {

// For use inside a catch block at a COM entry point: the HRESULT of the exception in flight,
// its description made the thread's error information for the interface `iid`.
HRESULT failureAsErrorInfo(REFIID iid) noexcept;

// The same for a hand-served IDispatch::Invoke: the failure goes into `exception` (when the
// caller gave one) and Invoke answers DISP_E_EXCEPTION.
HRESULT failureAsException(EXCEPINFO* exception) noexcept;

// Runs a COM method's body: nothing thrown by the product leaves the method.
template <typename Body>
HRESULT guarded(REFIID iid, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failureAsErrorInfo(iid);
    }
}

// Runs a window or hook procedure's body: should anything be thrown, the message gets what
// `fallback` answers, its default processing, instead. No exception may reach the system's frames,
// which the unwinder cannot pass on i686.
template <typename Body, typename Fallback>
LRESULT guardedMessage(Body&& body, Fallback&& fallback) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback();
    }
}

}  // namespace win32
