#pragma once

#include <windows.h>

#include <vector>

namespace host {

// The add-in's form windows on this thread, in the order they were created: a CBT hook sees
// each one created and destroyed. One list at a time.
class FormWindowList {
public:
    FormWindowList();
    ~FormWindowList();
    FormWindowList(const FormWindowList&) = delete;
    FormWindowList& operator=(const FormWindowList&) = delete;

    const std::vector<HWND>& windows() const { return windows_; }

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_;
    std::vector<HWND> windows_;
};

}  // namespace host
