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
    case HeadlessWindow::Kind::SearchBox: return ControlView::Kind::SearchBox;
    case HeadlessWindow::Kind::Legend: return ControlView::Kind::Legend;
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
    if (control.searchBox) view.text = control.searchBox->text();
    if (control.list) {
        const ui::ListBox& list = *control.list;
        view.multiSelect = control.list->multiSelect();
        view.firstVisible = list.visibleRows().first;
        for (int index = 0; index < list.count(); ++index)
            view.entries.push_back({list.text(index), list.selected(index), ui::availabilityWords(list.mark(index))});
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

ui::headless::HeadlessListBox& HeadlessDriver::FindList(const std::string& window, const std::string& list) {
    ui::headless::HeadlessListBox* box = Find(window).listBox(list);
    if (!box) throw std::invalid_argument("no list " + list + " in " + window);
    return *box;
}

int HeadlessDriver::FindEntry(const ui::headless::HeadlessListBox& box, const std::string& list,
                              const std::string& entry) {
    for (int index = 0; index < box.count(); ++index)
        if (box.text(index) == entry) return index;
    throw std::invalid_argument("no entry \"" + entry + "\" in " + list);
}

void HeadlessDriver::Tick(const std::string& window, const std::string& list, const std::string& entry) {
    ui::headless::HeadlessListBox& box = FindList(window, list);
    box.click(FindEntry(box, list, entry));
}

void HeadlessDriver::Scroll(const std::string& window, const std::string& list, const std::string& entry) {
    ui::headless::HeadlessListBox& box = FindList(window, list);
    box.scrollTo(FindEntry(box, list, entry));
}

ui::headless::HeadlessSearchBox& HeadlessDriver::FindSearchBox(const std::string& window, const std::string& box) {
    ui::headless::HeadlessSearchBox* found = Find(window).searchBox(box);
    if (!found) throw std::invalid_argument("no search box " + box + " in " + window);
    return *found;
}

void HeadlessDriver::Type(const std::string& window, const std::string& box, const std::string& text) {
    FindSearchBox(window, box).type(text);
}

// Esc means something only in a search box; anywhere else in these windows it does nothing.
void HeadlessDriver::Escape(const std::string& window, const std::string& control) {
    if (ui::headless::HeadlessSearchBox* box = Find(window).searchBox(control)) box->escape();
}

int HeadlessDriver::Idle(int slices) {
    constexpr int Endless = 1000000;
    int ran = 0;
    for (int slice = 0; (slices < 0 || slice < slices) && toolkit_.idleWorkPending(); ++slice) {
        if (slice == Endless) throw std::runtime_error("the add-in's idle work never ends");
        ran += toolkit_.runIdleSlice() > 0 ? 1 : 0;
    }
    return ran;
}

void HeadlessDriver::Close(const std::string& window) { Find(window).requestClose(); }
