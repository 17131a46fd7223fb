#pragma once

#include <windows.h>

#include "form_window_list.h"
#include "window_driver.h"

namespace host {

// The add-in's real windows in this process, read and used with Win32 messages as a user's tools
// would: texts, list entries and their selection, button clicks, the close box.
class Win32WindowDriver final : public WindowDriver {
public:
    std::vector<WindowView> Windows() override;
    void Click(const std::string& window, const std::string& control) override;
    void Tick(const std::string& window, const std::string& list, const std::string& entry) override;
    void Close(const std::string& window) override;

private:
    HWND Find(const std::string& window) const;

    FormWindowList forms_;
};

}  // namespace host
