#include "dialogs/information_form.h"

InformationForm::InformationForm(const std::string& name, const std::string& caption, const std::string& text)
    : window_(ui::toolkit().createWindow({name, caption, 4560, 3060, ui::Border::FixedSingle})) {
    window_->addLabel({"Label1", {120, 120, 4215, 2055}, 0}, text);
    ui::Button& ok = window_->addButton({"OKButton", {3000, 2520, 1335, 375}, 1}, "OK");
    ok.onClick = [this] { OKButton_Click(); };
    window_->onCloseRequest = [this] { OKButton_Click(); };
}
