#pragma once

#include "ui/headless/headless_toolkit.h"
#include "window_driver.h"

// The in-memory windows of the native build.
class HeadlessDriver : public WindowDriver {
public:
    explicit HeadlessDriver(ui::headless::HeadlessToolkit& toolkit) : toolkit_(toolkit) {}

    std::vector<WindowView> Windows() override;
    void Click(const std::string& window, const std::string& control) override;
    void Tick(const std::string& window, const std::string& list, const std::string& entry) override;
    void Close(const std::string& window) override;
    void Type(const std::string& window, const std::string& box, const std::string& text) override;
    void Escape(const std::string& window, const std::string& control) override;
    void Scroll(const std::string& window, const std::string& list, const std::string& entry) override;
    int Idle(int slices) override;

private:
    ui::headless::HeadlessWindow& Find(const std::string& window);
    ui::headless::HeadlessListBox& FindList(const std::string& window, const std::string& list);
    ui::headless::HeadlessSearchBox& FindSearchBox(const std::string& window, const std::string& box);
    static int FindEntry(const ui::headless::HeadlessListBox& box, const std::string& list, const std::string& entry);

    ui::headless::HeadlessToolkit& toolkit_;
};
