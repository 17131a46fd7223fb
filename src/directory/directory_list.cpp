#include "directory/directory_list.h"

#include <algorithm>

#include "platform/platform.h"

DirectoryList::DirectoryList(ui::ListBox& widget) : widget_(widget) {
    widget_.onToggled = [this](int row) {
        const int entry = rows_.at(static_cast<size_t>(row));
        at(entry).chosen = widget_.selected(row);
        if (OnToggled) OnToggled(entry);
    };
    widget_.onScrolled = [this] {
        if (OnScrolled) OnScrolled();
    };
}

void DirectoryList::RemoveAll() {
    widget_.clear();
    entries_.clear();
    rows_.clear();
    firstIndex_.clear();
    folded_ = 0;
    appointmentOnly_ = 0;
    marked_ = 0;
}

const std::string& DirectoryList::searchKeyOf(Entry& entry) {
    if (entry.searchKey.empty()) entry.searchKey = platform::services().searchKey(entry.text);
    return entry.searchKey;
}

bool DirectoryList::passesFilter(Entry& entry) {
    return filter_.empty() || searchKeyOf(entry).find(filter_) != std::string::npos;
}

bool DirectoryList::FoldSearchKeys(int count) {
    for (; folded_ < entries_.size() && count > 0; ++folded_, --count) searchKeyOf(entries_[folded_]);
    return folded_ < entries_.size();
}

void DirectoryList::showRow(int entry) {
    Entry& shown = at(entry);
    const int row = widget_.addItem(shown.text);
    widget_.setItemData(row, shown.itemData);
    if (shown.availability != ui::Availability::Unknown) widget_.setMark(row, shown.availability);
    shown.row = row;
    rows_.push_back(entry);
}

int DirectoryList::Append(const std::string& name, int32_t itemData) {
    entries_.push_back(Entry{name, itemData, false, ui::Availability::Unknown, NotShown, ""});
    if (itemData == AppointmentOnly) ++appointmentOnly_;
    const int entry = Count() - 1;
    if (passesFilter(entries_.back())) showRow(entry);
    firstIndex_.emplace(name, entry);
    return entry;
}

void DirectoryList::choose(int entry, bool chosen) {
    Entry& target = at(entry);
    target.chosen = chosen;
    if (target.row != NotShown) widget_.setSelected(target.row, chosen);
}

// Appointment-only entries stand after the directory's, so removing from the end moves nothing.
void DirectoryList::removeLast() {
    const Entry& last = entries_.back();
    auto first = firstIndex_.find(last.text);
    if (first != firstIndex_.end() && first->second == Count() - 1) firstIndex_.erase(first);
    if (last.row != NotShown) {
        widget_.removeItem(last.row);
        rows_.pop_back();
    }
    if (last.itemData == AppointmentOnly) --appointmentOnly_;
    if (last.availability != ui::Availability::Unknown) --marked_;
    entries_.pop_back();
    folded_ = std::min(folded_, entries_.size());
}

void DirectoryList::Clear() {
    Update update(*this);
    widget_.unselectAll();
    if (!filter_.empty())
        for (Entry& entry : entries_) entry.chosen = false;
    while (!entries_.empty() && entries_.back().itemData == AppointmentOnly) removeLast();
    // One appended before directory entries goes with a refill.
    if (appointmentOnly_ == 0) return;
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [](const Entry& entry) { return entry.itemData == AppointmentOnly; }),
                   entries_.end());
    appointmentOnly_ = 0;
    marked_ = 0;
    folded_ = 0;
    for (Entry& entry : entries_) {
        entry.chosen = false;
        marked_ += entry.availability != ui::Availability::Unknown;
    }
    firstIndex_.clear();
    for (int entry = 0; entry < Count(); ++entry) firstIndex_.emplace(Text(entry), entry);
    refill();
}

void DirectoryList::AddItemIfNew(const std::string& name, bool select) {
    auto first = firstIndex_.find(name);
    const int entry = first != firstIndex_.end() ? first->second : Append(name, AppointmentOnly);
    if (select) choose(entry, true);
}

std::vector<int> DirectoryList::ChosenEntries() const {
    std::vector<int> chosen;
    if (!filter_.empty())
        for (int entry = 0; entry < Count(); ++entry)
            if (at(entry).row == NotShown && at(entry).chosen) chosen.push_back(entry);
    for (int row : widget_.chosenIndexes()) chosen.push_back(rows_.at(static_cast<size_t>(row)));
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

std::string DirectoryList::ChosenNames() const {
    std::string names;
    for (int entry : ChosenEntries()) names += Text(entry) + ";";
    return names;
}

// The widget is where the user's choices are, for the entries it shows.
void DirectoryList::takeWidgetChoices() {
    for (int entry : rows_) at(entry).chosen = false;
    for (int row : widget_.chosenIndexes()) at(rows_.at(static_cast<size_t>(row))).chosen = true;
}

void DirectoryList::refill() {
    Update update(*this);
    widget_.clear();
    rows_.clear();
    for (int entry = 0; entry < Count(); ++entry) {
        at(entry).row = NotShown;
        if (passesFilter(at(entry))) showRow(entry);
    }
    // Chosen once every row is there, so that the widget learns its count in one go.
    for (int entry : rows_)
        if (at(entry).chosen) widget_.setSelected(at(entry).row, true);
}

void DirectoryList::SetFilter(const std::string& key) {
    if (key == filter_) return;
    takeWidgetChoices();
    filter_ = key;
    refill();
}

int DirectoryList::HiddenChosenCount() const {
    if (filter_.empty()) return 0;
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                          [](const Entry& entry) { return entry.row == NotShown && entry.chosen; }));
}

std::vector<int> DirectoryList::VisibleEntries() const {
    const ui::Rows view = widget_.visibleRows();
    std::vector<int> visible;
    for (int row = view.first; row < view.first + view.count && row < static_cast<int>(rows_.size()); ++row)
        visible.push_back(rows_[static_cast<size_t>(row)]);
    return visible;
}

void DirectoryList::SetAvailability(int entry, ui::Availability availability) {
    Entry& target = at(entry);
    marked_ += (availability != ui::Availability::Unknown) - (target.availability != ui::Availability::Unknown);
    target.availability = availability;
    if (target.row != NotShown) widget_.setMark(target.row, availability);
}

void DirectoryList::ForgetAvailability() {
    if (marked_ == 0) return;
    for (int entry = 0; entry < Count(); ++entry)
        if (at(entry).availability != ui::Availability::Unknown) SetAvailability(entry, ui::Availability::Unknown);
}
