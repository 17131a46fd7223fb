#pragma once

#include <memory>

#include "automation/event_binding.h"
#include "ui/single_instance.h"
#include "ui/widgets.h"

// The error log window: hidden unless an alert on an old Outlook shows it.
class MainForm : public automation::EventOwner {
public:
    static constexpr int MaxLines = 25;

    MainForm();

    void Show() { window_->show(); }
    void Hide() { window_->hide(); }
    bool Visible() const { return window_->isVisible(); }
    ui::ListBox& ErrorList() { return errorList_; }

    void ButtonHide_Click() { Hide(); }

private:
    std::unique_ptr<ui::Window> window_;
    ui::ListBox& errorList_;
};

using MainFormInstance = ui::SingleInstance<MainForm>;
