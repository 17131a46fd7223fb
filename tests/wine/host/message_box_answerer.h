#pragma once

#include <windows.h>

#include "outlook.h"

namespace host {

// Message boxes the add-in shows on this thread are the simulated Outlook's alerts: each is
// recorded and answered from the session's alert queue as soon as it is set up, so no modal
// loop waits for a user. The boxes' loops run no form's timers: idle work runs only when the
// scenario lets the add-in be idle. One answerer at a time.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(sim::Outlook& outlook);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK timerFilter(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_;
    HHOOK filter_;
};

}  // namespace host
