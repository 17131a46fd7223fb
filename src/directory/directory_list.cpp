#include "directory/directory_list.h"

void DirectoryList::RemoveAll() {
    widget_.clear();
    entries_.clear();
    firstIndex_.clear();
}

int DirectoryList::Append(const std::string& name, int32_t itemData) {
    int index = widget_.addItem(name);
    widget_.setItemData(index, itemData);
    entries_.push_back(Entry{name, itemData});
    firstIndex_.emplace(name, index);
    return index;
}

void DirectoryList::RemoveAt(int index) {
    bool last = index == Count() - 1;
    auto first = firstIndex_.find(Text(index));
    if (first != firstIndex_.end() && first->second == index) firstIndex_.erase(first);
    widget_.removeItem(index);
    entries_.erase(entries_.begin() + index);
    if (!last) RebuildIndex();
}

void DirectoryList::RebuildIndex() {
    firstIndex_.clear();
    for (int index = 0; index < Count(); ++index) firstIndex_.emplace(Text(index), index);
}

void DirectoryList::Clear() {
    Update update(*this);
    widget_.unselectAll();
    // Appointment-only entries stand after the directory's, so removing from the end moves nothing.
    for (int index = Count() - 1; index >= 0; --index)
        if (ItemData(index) == AppointmentOnly) RemoveAt(index);
}

void DirectoryList::AddItemIfNew(const std::string& name, bool select) {
    auto first = firstIndex_.find(name);
    if (first != firstIndex_.end()) {
        if (select) widget_.setSelected(first->second, true);
        return;
    }
    int index = Append(name, AppointmentOnly);
    if (select) widget_.setSelected(index, true);
}

std::string DirectoryList::ChosenNames() const {
    std::string names;
    for (int index : widget_.chosenIndexes()) names += Text(index) + ";";
    return names;
}
