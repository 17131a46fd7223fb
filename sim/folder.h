#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim_object.h"

namespace sim {

class Item;

// The one message store of the session.
constexpr const char* StoreId = "0000000038A1BB1005E5101AA1BB08002B2A56C20000454D534D44422E444C4C00000000";

// A MAPIFolder with its items, in the order they entered it, and its hidden items.
class Folder : public SimObject {
public:
    Folder(Context& session, std::string name, int16_t defaultItemType);

    const std::string& name() const { return name_; }
    int16_t defaultItemType() const { return defaultItemType_; }
    std::vector<std::shared_ptr<Item>>& items() { return items_; }
    std::vector<std::shared_ptr<Item>>& hiddenItems() { return hidden_; }
    // Takes the item out of this folder (visible or hidden).
    void take(const Item* item);

private:
    std::string name_;
    int16_t defaultItemType_;
    std::string entryId_;
    std::vector<std::shared_ptr<Item>> items_;
    std::vector<std::shared_ptr<Item>> hidden_;
};

// A folder's Items collection.
class Items : public SimObject {
public:
    Items(Context& session, std::shared_ptr<Folder> folder);

private:
    // The next match after `from`, in folder order; remembered for FindNext.
    Value findFrom(size_t from);

    std::shared_ptr<Folder> folder_;
    std::string subject_;
    size_t next_ = 0;
};

}  // namespace sim
