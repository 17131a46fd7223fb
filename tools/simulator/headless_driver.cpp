#include "headless_driver.h"

#include <stdexcept>

using ui::headless::HeadlessWindow;

namespace {

ControlView::Kind KindOf(HeadlessWindow::Kind kind) {
    switch (kind) {
    case HeadlessWindow::Kind::Label: return ControlView::Kind::Label;
    case HeadlessWindow::Kind::LinkLabel: return ControlView::Kind::LinkLabel;
    case HeadlessWindow::Kind::Button: return ControlView::Kind::Button;
    case HeadlessWindow::Kind::ListBox: return ControlView::Kind::ListBox;
    case HeadlessWindow::Kind::Picture: return ControlView::Kind::Picture;
    case HeadlessWindow::Kind::Separator: break;
    }
    return ControlView::Kind::Separator;
}

ControlView ViewOf(const HeadlessWindow::Control& control) {
    ControlView view;
    view.kind = KindOf(control.kind);
    view.name = control.spec.name;
    if (control.label) view.text = control.label->text();
    if (control.button) {
        view.text = control.button->caption();
        view.isDefault = control.button->isDefault();
        view.isCancel = control.button->isCancel();
    }
    if (control.list) {
        view.multiSelect = control.list->multiSelect();
        for (int index = 0; index < control.list->count(); ++index)
            view.entries.emplace_back(control.list->text(index), control.list->selected(index));
    }
    return view;
}

}  // namespace

std::vector<WindowView> HeadlessDriver::Windows() {
    std::vector<WindowView> views;
    for (const HeadlessWindow* window : toolkit_.windows()) {
        WindowView view{window->spec().name, window->caption(), window->isVisible(), {}};
        for (const HeadlessWindow::Control& control : window->controls()) view.controls.push_back(ViewOf(control));
        views.push_back(view);
    }
    return views;
}

HeadlessWindow& HeadlessDriver::Find(const std::string& window) {
    HeadlessWindow* found = toolkit_.find(window);
    if (!found) throw std::invalid_argument("no window " + window + " is loaded");
    return *found;
}

void HeadlessDriver::Click(const std::string& window, const std::string& control) {
    HeadlessWindow& target = Find(window);
    if (ui::headless::HeadlessButton* button = target.button(control)) return button->click();
    ui::headless::HeadlessLabel* link = target.label(control);
    if (link && link->isLink() && link->onClick) return link->onClick();
    throw std::invalid_argument("no button or link " + control + " in " + window);
}

void HeadlessDriver::Tick(const std::string& window, const std::string& list, const std::string& entry) {
    ui::headless::HeadlessListBox* box = Find(window).listBox(list);
    if (!box) throw std::invalid_argument("no list " + list + " in " + window);
    for (int index = 0; index < box->count(); ++index)
        if (box->text(index) == entry) return box->click(index);
    throw std::invalid_argument("no entry \"" + entry + "\" in " + list);
}

void HeadlessDriver::Close(const std::string& window) { Find(window).requestClose(); }
