#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "automation/event_binding.h"
#include "ui/single_instance.h"
#include "ui/widgets.h"

// The About window: title, version, description, three links, OK and System Info.
class AboutForm : public automation::EventOwner {
public:
    static constexpr const char* AppTitle = "Quorvel";
    static constexpr const char* SupportAddress = "support@vesk.example";
    static constexpr const char* WebAddress = "https://www.vesk.example/quorvel";
    static constexpr int BitmapId = 1;

    AboutForm();

    void Show() { window_->show(); }
    ui::Window& Window() { return *window_; }

    void cmdOK_Click();
    void cmdSysInfo_Click() { StartSysInfo(); }
    void LabelManual_Click();
    void LabelEmail_Click();
    void LabelWeb_Click();

private:
    void Form_Load();
    void StartSysInfo();

    std::unique_ptr<ui::Window> window_;
    ui::Label& lblTitle_;
    ui::Label& lblVersion_;
};

using AboutFormInstance = ui::SingleInstance<AboutForm>;

// Reads a registry value as the About dialog needs it: text as it is, a 32-bit number in decimal.
bool GetKeyValue(uint32_t root, const std::string& keyPath, const std::string& valueName, std::string& value);
