#pragma once

#include <memory>
#include <string>

#include "automation/event_binding.h"
#include "ui/widgets.h"

// A small fixed-text window with one label and OK, shown modeless; OK only hides it.
class InformationForm : public automation::EventOwner {
public:
    InformationForm(const std::string& name, const std::string& caption, const std::string& text);

    void Show() { window_->show(); }
    void OKButton_Click() { window_->hide(); }
    ui::Window& Window() { return *window_; }

private:
    std::unique_ptr<ui::Window> window_;
};
