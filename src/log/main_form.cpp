#include "log/main_form.h"

namespace {
std::unique_ptr<ui::Window> createWindow() {
    return ui::toolkit().createWindow({"MainForm", "Quorvel", 7035, 6600, ui::Border::Sizable});
}
}  // namespace

MainForm::MainForm()
    : window_(createWindow()), errorList_(window_->addListBox({"ErrorList", {120, 120, 6735, 5910}, 0}, false)) {
    ui::Button& hide = window_->addButton({"ButtonHide", {5040, 6120, 1815, 375}, 1}, "Hide window");
    hide.onClick = [this] { ButtonHide_Click(); };
    window_->onCloseRequest = [this] { Hide(); };
}
