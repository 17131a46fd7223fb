#include "folder.h"

#include <algorithm>

#include "item.h"
#include "jet_filter.h"
#include "text.h"

namespace sim {

Folder::Folder(Context& session, std::string name, int16_t defaultItemType)
    : SimObject(session, "MAPIFolder"),
      name_(std::move(name)),
      defaultItemType_(defaultItemType),
      entryId_(session.nextEntryId()) {
    property("Class", [](Args&) { return Value(int32_t{2}); });
    property("Name", [this](Args&) { return Value(name_); });
    property("DefaultItemType", [this](Args&) { return Value(int32_t{defaultItemType_}); });
    property("EntryID", [this](Args&) { return Value(entryId_); });
    property("StoreID", [](Args&) { return Value(StoreId); });
    property("Items", [this](Args&) {
        return objectValue(make<Items>(context(), std::static_pointer_cast<Folder>(shared_from_this())));
    });
}

void Folder::take(const Item* item) {
    auto same = [item](const std::shared_ptr<Item>& candidate) { return candidate.get() == item; };
    items_.erase(std::remove_if(items_.begin(), items_.end(), same), items_.end());
    hidden_.erase(std::remove_if(hidden_.begin(), hidden_.end(), same), hidden_.end());
}

Items::Items(Context& session, std::shared_ptr<Folder> folder)
    : SimObject(session, "Items"), folder_(std::move(folder)) {
    property("Class", [](Args&) { return Value(int32_t{16}); });
    property("Count", [this](Args&) { return Value(static_cast<int32_t>(folder_->items().size())); });
    method("Item", [this](Args& args) {
        int32_t index = required(args, 0).toInt32();
        auto& items = folder_->items();
        if (index < 1 || index > static_cast<int32_t>(items.size())) throw fail::badIndex();
        return objectValue(items[index - 1]);
    });
    method("Find", [this](Args& args) {
        subject_ = subjectOfFilter(required(args, 0).toString());
        return findFrom(0);
    });
    method("FindNext", [this](Args&) { return findFrom(next_); });
}

Value Items::findFrom(size_t from) {
    const auto& items = folder_->items();
    for (size_t index = from; index < items.size(); ++index) {
        if (!equalNoCase(items[index]->subject(), subject_)) continue;
        next_ = index + 1;
        return objectValue(items[index]);
    }
    next_ = items.size();
    return nothing();
}

}  // namespace sim
