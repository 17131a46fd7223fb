#include "idle_work_checks.h"

#include <memory>

#include "check.h"
#include "message_count.h"
#include "message_pump.h"
#include "ui/widgets.h"
#include "win32/form_windows.h"
#include "win32/idle_work_pending.h"

namespace windowcheck {
namespace {

using checks::expect;

constexpr DWORD StepTimeoutMs = 10000;
constexpr wchar_t Caption[] = L"Idle work";

LRESULT pending(HWND window) { return SendMessageW(window, idleWorkPendingMessage(), 0, 0); }

DWORD WINAPI askFromAnotherThread(void* window) { return static_cast<DWORD>(pending(static_cast<HWND>(window))); }

LRESULT pendingFromAnotherThread(HWND window) {
    HANDLE thread = CreateThread(nullptr, 0, askFromAnotherThread, window, 0, nullptr);
    DWORD answer = 0;
    if (thread && pumpUntilSignalled(thread, StepTimeoutMs)) GetExitCodeThread(thread, &answer);
    if (thread) CloseHandle(thread);
    return static_cast<LRESULT>(static_cast<LONG>(answer));
}

}  // namespace

void checkIdleWork() {
    std::unique_ptr<ui::Window> form = ui::toolkit().createWindow({"IdleCheck", "Idle work", 3000, 900, ui::Border::FixedSingle});
    int counted = 0;
    std::unique_ptr<ui::IdleWork> counting = form->startIdleWork([&] { return ++counted < 3; });
    HWND window = FindWindowW(win32::FormWindowClass, Caption);
    expect(window && !IsWindowVisible(window), "idle work on a form not yet shown makes its window, hidden");
    if (!window) return;
    expect(pending(window) == 1 && pendingFromAnotherThread(window) == -1,
           "the pending-work message counts the work, and refuses another thread");

    // Alone, each timer message of the form is a step, until the third answers false.
    {
        MessageCount ticks(window, WM_TIMER, MessageCount::Way::Taken);
        const bool ended = pollUntil([&] { return pending(window) == 0; }, StepTimeoutMs);
        expect(ended && counted == 3 && ticks.count() == 3,
               "idle work runs one step per timer message and ends when a step answers false (steps " +
                   std::to_string(counted) + ", timer messages " + std::to_string(ticks.count()) + ")");
    }

    // A step that pumps messages sees its own ticks go by without a step inside it.
    int depth = 0;
    bool nested = false;
    int pumpingSteps = 0;
    bool tickedInside = false;
    std::unique_ptr<ui::IdleWork> pumping = form->startIdleWork([&] {
        nested = nested || depth > 0;
        ++depth;
        if (++pumpingSteps == 1) {
            MessageCount inside(window, WM_TIMER, MessageCount::Way::Taken);
            tickedInside = pollUntil([&] { return inside.count() > 0; }, StepTimeoutMs);
        }
        --depth;
        return pumpingSteps < 2;
    });
    expect(pollUntil([&] { return pending(window) == 0; }, StepTimeoutMs) && tickedInside && !nested &&
               pumpingSteps == 2,
           "a step that pumps messages is not entered again by the ticks it lets through");

    // Destroyed, a work takes no more steps; another, started after, shows the timers still run.
    int endless = 0;
    std::unique_ptr<ui::IdleWork> unending = form->startIdleWork([&] { return ++endless > 0; });
    int others = 0;
    std::unique_ptr<ui::IdleWork> other = form->startIdleWork([&] { return ++others < 1000000; });
    expect(pending(window) == 2, "two works running are two pending");
    expect(pollUntil([&] { return endless >= 2; }, StepTimeoutMs), "a work that never answers false keeps stepping");
    unending.reset();
    const int stepsWhenDestroyed = endless;
    const int othersWhenDestroyed = others;
    expect(pending(window) == 1, "a destroyed work is no longer pending");
    expect(pollUntil([&] { return others >= othersWhenDestroyed + 3; }, StepTimeoutMs) && endless == stepsWhenDestroyed,
           "a destroyed work takes no more steps while others go on");
    other.reset();

    // The window destroyed first, a work's destruction later is harmless.
    std::unique_ptr<ui::IdleWork> outliving = form->startIdleWork([] { return true; });
    form.reset();
    outliving.reset();
    expect(FindWindowW(win32::FormWindowClass, Caption) == nullptr, "a form destroyed before its idle work ends it");
}

}  // namespace windowcheck
