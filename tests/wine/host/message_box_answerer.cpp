#include "message_box_answerer.h"

#include <stdexcept>
#include <string>

#include "win32/wide.h"

namespace host {
namespace {

sim::Outlook* session = nullptr;

std::string textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    return win32::narrow(text.data(), static_cast<size_t>(copied));
}

bool isDialog(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0;
}

// The message is the box's one static control with text (the icon is a static without).
std::string messageOf(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (lstrcmpiW(className, L"Static") != 0) continue;
        std::string text = textOf(child);
        if (!text.empty()) return text;
    }
    return {};
}

// A failure here cannot cross the window manager: the box is then answered OK.
void answer(HWND dialog) noexcept {
    const bool hasCancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
    sim::AlertAnswer chosen = sim::AlertAnswer::Ok;
    try {
        chosen = session->showMessageBox(textOf(dialog), messageOf(dialog), hasCancel);
    } catch (...) {
    }
    const int button = chosen == sim::AlertAnswer::Cancel ? IDCANCEL : IDOK;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

constexpr UINT_PTR AnswerTimer = 0x5156;

void CALLBACK answerFromLoop(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    KillTimer(dialog, timer);
    answer(dialog);
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(sim::Outlook& outlook) {
    if (session) throw std::logic_error("one message box answerer at a time");
    // A computer-based-training hook runs only as windows come and go, not with every message
    // sent on the thread as a window-procedure hook would (which under Wine costs a round trip
    // to the server each), so the add-in's own windows are timed as they would be in Outlook.
    hook_ = SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId());
    if (!hook_) throw std::runtime_error("cannot watch the thread's message boxes");
    filter_ = SetWindowsHookExW(WH_MSGFILTER, timerFilter, nullptr, GetCurrentThreadId());
    if (!filter_) {
        UnhookWindowsHookEx(hook_);
        throw std::runtime_error("cannot filter the message boxes' loops");
    }
    session = &outlook;
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    UnhookWindowsHookEx(filter_);
    UnhookWindowsHookEx(hook_);
    session = nullptr;
}

// A box is activated before it holds its text: it is answered from its own modal loop, whose
// first round comes once the box is set up. The answer is posted, so that loop takes it.
LRESULT CALLBACK MessageBoxAnswerer::hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && session && isDialog(window)) SetTimer(window, AnswerTimer, 0, answerFromLoop);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A dialog's loop hands each message to this filter first; a timer message of any window but a
// box (whose own timer answers it) is dropped, and its timer ticks again later.
LRESULT CALLBACK MessageBoxAnswerer::timerFilter(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message == WM_TIMER && !isDialog(message->hwnd)) return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace host
