#include "namespace.h"

#include "folder.h"
#include "item.h"
#include "recipient.h"

namespace sim {

NameSpace::NameSpace(Context& session) : SimObject(session, "NameSpace") {
    folders_[3] = make<Folder>(session, "Deleted Items", 0);
    folders_[5] = make<Folder>(session, "Sent Items", 0);
    folders_[6] = make<Folder>(session, "Inbox", 0);
    folders_[9] = make<Folder>(session, "Calendar", 1);
    folders_[16] = make<Folder>(session, "Drafts", 0);

    property("Class", [](Args&) { return Value(int32_t{1}); });
    property("Type", [](Args&) { return Value("MAPI"); });
    property("CurrentUser", [this](Args&) {
        auto user = std::make_shared<RecipientData>(RecipientData{context().currentUser, 0, true, ""});
        return objectValue(make<Recipient>(context(), user, nullptr, true));
    });
    method("GetDefaultFolder", [this](Args& args) {
        auto folder = defaultFolder(required(args, 0).toInt16());
        if (!folder) throw fail::invalidArgument();
        return objectValue(folder);
    });
    // A recipient of no item, unresolved, as for free/busy look-ups.
    method("CreateRecipient", [this](Args& args) {
        auto data = std::make_shared<RecipientData>(RecipientData{required(args, 0).toString(), 1, false, ""});
        return objectValue(make<Recipient>(context(), data, nullptr, true));
    });
    method("GetItemFromID", [this](Args& args) {
        std::string store = optional(args, 1, Value("")).toString();
        if (!store.empty() && store != StoreId) throw fail::notFound();
        auto item = findById(required(args, 0).toString());
        if (!item) throw fail::notFound();
        return objectValue(item);
    });
    guard({"CurrentUser"});
}

std::shared_ptr<Folder> NameSpace::defaultFolder(int16_t type) const {
    auto found = folders_.find(type);
    return found == folders_.end() ? nullptr : found->second;
}

std::shared_ptr<Item> NameSpace::findById(const std::string& entryId) const {
    if (entryId.empty()) return nullptr;
    for (const auto& [type, folder] : folders_) {
        for (auto* list : {&folder->items(), &folder->hiddenItems()}) {
            for (const auto& item : *list) {
                if (item->entryId() == entryId) return item;
            }
        }
    }
    return nullptr;
}

}  // namespace sim
