#pragma once

#include <windows.h>

namespace windowcheck {

// Counts, while alive, the messages that reach one window on this thread: those sent to it
// (WH_CALLWNDPROC) or those a message loop takes from its queue (WH_GETMESSAGE). One of a kind,
// or any kind with 0. One count at a time.
class MessageCount {
public:
    enum class Way { Sent, Taken };
    MessageCount(HWND target, UINT message, Way way);
    ~MessageCount();
    MessageCount(const MessageCount&) = delete;
    MessageCount& operator=(const MessageCount&) = delete;
    int count() const;

private:
    HHOOK hook_;
};

}  // namespace windowcheck
