#pragma once

#include <windows.h>

#include "form_window_list.h"
#include "window_driver.h"

namespace host {

// The add-in's real windows in this process, read and used with Win32 messages as a user's tools
// would: texts, list entries, their selection and availability, button clicks, typing, the close
// box. Only Idle lets timers run, so what a scenario prints does not depend on the clock.
class Win32WindowDriver final : public WindowDriver {
public:
    std::vector<WindowView> Windows() override;
    void Click(const std::string& window, const std::string& control) override;
    void Tick(const std::string& window, const std::string& list, const std::string& entry) override;
    void Close(const std::string& window) override;
    void Type(const std::string& window, const std::string& box, const std::string& text) override;
    void Escape(const std::string& window, const std::string& control) override;
    void Scroll(const std::string& window, const std::string& list, const std::string& entry) override;
    int Idle(int slices) override;

private:
    HWND Find(const std::string& window) const;
    HWND FindControl(const std::string& window, const std::string& control) const;
    bool IsForm(HWND window) const;
    // Whether every form answers that it has no idle work left.
    bool AllIdle() const;

    FormWindowList forms_;
};

}  // namespace host
