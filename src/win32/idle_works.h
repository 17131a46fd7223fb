#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "ui/widgets.h"

namespace win32 {

// The idle works of one window, each a timer of its own at the shortest period Windows allows:
// every WM_TIMER of it runs one step. Kept by shared pointer, so that a step that destroys the
// window, the form or its own work finds what it needs afterwards still there.
class IdleWorks final : public std::enable_shared_from_this<IdleWorks> {
public:
    explicit IdleWorks(HWND window) : window_(window) {}
    ~IdleWorks();
    IdleWorks(const IdleWorks&) = delete;
    IdleWorks& operator=(const IdleWorks&) = delete;

    std::unique_ptr<ui::IdleWork> start(std::function<bool()> step);
    // WM_TIMER: runs a step of the work of `timer`; false when no work has that timer.
    bool tick(UINT_PTR timer);
    int running() const { return static_cast<int>(steps_.size()); }
    void stop(UINT_PTR timer);
    // The window goes: every work ends.
    void stopAll();

private:
    struct Step {
        std::function<bool()> run;
        bool running = false;
    };

    HWND window_;
    UINT_PTR nextTimer_ = 1;
    std::map<UINT_PTR, std::shared_ptr<Step>> steps_;
};

}  // namespace win32
