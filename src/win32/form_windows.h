#pragma once

#include <windows.h>

namespace win32 {

constexpr const wchar_t* FormWindowClass = L"QuorvelForm";

// While any form window exists, so do the things it needs: its window class, the message hook
// that gives modeless windows the dialog keys (Tab, Enter, Esc) inside Outlook's own message
// loop, and a hold on the library. Each window keeps one scope for its whole life.
class FormWindowScope {
public:
    explicit FormWindowScope(WNDPROC windowProcedure);
    ~FormWindowScope();
    FormWindowScope(const FormWindowScope&) = delete;
    FormWindowScope& operator=(const FormWindowScope&) = delete;
};

// The top-level windows the dialog keys are given to.
void addFormWindow(HWND window);
void removeFormWindow(HWND window);

}  // namespace win32
