#include "ui/headless/headless_toolkit.h"

#include <algorithm>
#include <stdexcept>

namespace ui::headless {

std::unique_ptr<Window> HeadlessToolkit::createWindow(const WindowSpec& spec) {
    return std::make_unique<HeadlessWindow>(*this, spec);
}

HeadlessWindow* HeadlessToolkit::find(const std::string& name) const {
    auto found = std::find_if(windows_.begin(), windows_.end(),
                              [&](HeadlessWindow* window) { return window->spec().name == name; });
    return found == windows_.end() ? nullptr : *found;
}

// Steps may start or end idle works, so each slice runs those that were there when it began.
int HeadlessToolkit::runIdleSlice() {
    const std::vector<HeadlessIdleWork*> slice = idleWorks_;
    int ran = 0;
    for (HeadlessIdleWork* work : slice) {
        if (std::find(idleWorks_.begin(), idleWorks_.end(), work) == idleWorks_.end()) continue;
        work->runStep();
        ++ran;
    }
    return ran;
}

HeadlessIdleWork::HeadlessIdleWork(HeadlessToolkit& toolkit, std::function<bool()> step)
    : toolkit_(toolkit), step_(std::move(step)) {
    toolkit_.idleWorks_.push_back(this);
}

HeadlessIdleWork::~HeadlessIdleWork() { finish(); }

void HeadlessIdleWork::finish() {
    auto& works = toolkit_.idleWorks_;
    works.erase(std::remove(works.begin(), works.end(), this), works.end());
}

// The step may destroy this object, so nothing of it is touched after, unless it is still there.
void HeadlessIdleWork::runStep() {
    std::vector<HeadlessIdleWork*>& works = toolkit_.idleWorks_;
    const std::function<bool()> step = step_;
    const bool more = step();
    if (!more && std::find(works.begin(), works.end(), this) != works.end()) finish();
}

void HeadlessSearchBox::setText(const std::string& text) {
    text_ = text;
    if (onChange) onChange();
}

void HeadlessSearchBox::type(const std::string& text) {
    setText("");
    for (size_t end = 1; end <= text.size(); ++end) {
        const bool continuation = end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80;
        if (!continuation) setText(text.substr(0, end));
    }
}

int HeadlessListBox::addItem(const std::string& text) {
    entries_.push_back(Entry{text});
    return count() - 1;
}

void HeadlessListBox::removeItem(int index) {
    entry(index);
    entries_.erase(entries_.begin() + index);
}

std::vector<int> HeadlessListBox::chosenIndexes() const {
    std::vector<int> chosen;
    for (int index = 0; index < count(); ++index)
        if (entries_[static_cast<size_t>(index)].chosen) chosen.push_back(index);
    return chosen;
}

void HeadlessListBox::setSelected(int index, bool chosen) {
    if (chosen && !multiSelect_)
        for (Entry& other : entries_) other.chosen = false;
    entry(index).chosen = chosen;
}

void HeadlessListBox::unselectAll() {
    for (Entry& entry : entries_) entry.chosen = false;
}

Rows HeadlessListBox::visibleRows() const {
    const int first = std::min(top_, std::max(count() - 1, 0));
    return {first, std::min(rowsInView_, count() - first)};
}

void HeadlessListBox::scrollTo(int index) {
    entry(index);
    top_ = index;
    if (onScrolled) onScrolled();
}

void HeadlessListBox::click(int index) {
    setSelected(index, !selected(index));
    if (onToggled) onToggled(index);
}

HeadlessListBox::Entry& HeadlessListBox::entry(int index) {
    if (index < 0 || index >= count()) throw std::out_of_range("list index out of range");
    return entries_[static_cast<size_t>(index)];
}

const HeadlessListBox::Entry& HeadlessListBox::entry(int index) const {
    return const_cast<HeadlessListBox*>(this)->entry(index);
}

HeadlessWindow::HeadlessWindow(HeadlessToolkit& toolkit, const WindowSpec& spec)
    : toolkit_(toolkit), spec_(spec), caption_(spec.caption) {
    toolkit_.windows_.push_back(this);
}

HeadlessWindow::~HeadlessWindow() {
    auto& windows = toolkit_.windows_;
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

HeadlessWindow::Control& HeadlessWindow::add(Kind kind, const ControlSpec& spec) {
    controls_.push_back(Control{kind, spec, nullptr, nullptr, nullptr, nullptr, nullptr});
    return controls_.back();
}

Label& HeadlessWindow::addLabel(const ControlSpec& spec, const std::string& text) {
    return *(add(Kind::Label, spec).label = std::make_unique<HeadlessLabel>(text, false));
}

LinkLabel& HeadlessWindow::addLinkLabel(const ControlSpec& spec, const std::string& text) {
    return *(add(Kind::LinkLabel, spec).label = std::make_unique<HeadlessLabel>(text, true));
}

Button& HeadlessWindow::addButton(const ControlSpec& spec, const std::string& caption, bool isDefault,
                                  bool isCancel) {
    return *(add(Kind::Button, spec).button = std::make_unique<HeadlessButton>(caption, isDefault, isCancel));
}

// As many rows as a list of that height shows in the forms' font at 96 dpi, 13 pixels each.
ListBox& HeadlessWindow::addListBox(const ControlSpec& spec, bool multiSelect, bool marked) {
    constexpr int RowTwips = 195;
    const int rows = std::max(1, spec.rect.height / RowTwips);
    return *(add(Kind::ListBox, spec).list = std::make_unique<HeadlessListBox>(multiSelect, marked, rows));
}

SearchBox& HeadlessWindow::addSearchBox(const ControlSpec& spec) {
    return *(add(Kind::SearchBox, spec).searchBox = std::make_unique<HeadlessSearchBox>());
}

void HeadlessWindow::addAvailabilityLegend(const ControlSpec& spec) { add(Kind::Legend, spec); }

std::unique_ptr<IdleWork> HeadlessWindow::startIdleWork(std::function<bool()> step) {
    return std::make_unique<HeadlessIdleWork>(toolkit_, std::move(step));
}

Picture& HeadlessWindow::addPicture(const ControlSpec& spec, int bitmapId) {
    return *(add(Kind::Picture, spec).picture = std::make_unique<HeadlessPicture>(bitmapId));
}

void HeadlessWindow::addSeparator(const ControlSpec& spec) { add(Kind::Separator, spec); }

const HeadlessWindow::Control* HeadlessWindow::control(const std::string& name) const {
    for (const Control& control : controls_)
        if (control.spec.name == name) return &control;
    return nullptr;
}

HeadlessButton* HeadlessWindow::button(const std::string& name) const {
    const Control* found = control(name);
    return found ? found->button.get() : nullptr;
}

HeadlessListBox* HeadlessWindow::listBox(const std::string& name) const {
    const Control* found = control(name);
    return found ? found->list.get() : nullptr;
}

HeadlessLabel* HeadlessWindow::label(const std::string& name) const {
    const Control* found = control(name);
    return found ? found->label.get() : nullptr;
}

HeadlessSearchBox* HeadlessWindow::searchBox(const std::string& name) const {
    const Control* found = control(name);
    return found ? found->searchBox.get() : nullptr;
}

void HeadlessWindow::requestClose() {
    if (onCloseRequest) onCloseRequest();
}

}  // namespace ui::headless
