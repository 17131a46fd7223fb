#include "recipients.h"

#include <algorithm>

#include "item.h"
#include "text.h"

namespace sim {

Recipients::Recipients(Context& session, std::shared_ptr<Item> item, bool guarded)
    : SimObject(session, "Recipients"), item_(std::move(item)), guarded_(guarded) {
    property("Class", [](Args&) { return Value(int32_t{17}); });
    property("Count", [this](Args&) { return Value(static_cast<int32_t>(item_->recipientList().size())); });
    method("Item", [this](Args& args) { return view(at(required(args, 0))); });
    method("Add", [this](Args& args) {
        std::string name = required(args, 0).toString();
        if (name.empty()) throw fail::invalidArgument();
        auto data = std::make_shared<RecipientData>(RecipientData{name, 1, false, ""});
        item_->recipientList().push_back(data);
        item_->changed();
        return view(data);
    });
    method("Remove", [this](Args& args) {
        auto data = at(required(args, 0));
        auto& list = item_->recipientList();
        list.erase(std::find(list.begin(), list.end(), data));
        item_->changed();
        return Value();
    });
    method("ResolveAll", [this](Args&) {
        bool all = true;
        for (auto& data : item_->recipientList()) {
            data->resolved = context().isResolvable(data->name);
            all = all && data->resolved;
        }
        return Value(all);
    });
    guardEveryMember();
    if (!guarded) bypassGuard();
}

std::shared_ptr<RecipientData> Recipients::at(const Value& index) const {
    const RecipientList& list = item_->recipientList();
    if (index.isString()) {
        for (auto& data : list) {
            if (equalNoCase(data->name, index.toString())) return data;
        }
        throw fail::badIndex();
    }
    int32_t position = index.toInt32();
    if (position < 1 || position > static_cast<int32_t>(list.size())) throw fail::badIndex();
    return list[position - 1];
}

Value Recipients::view(std::shared_ptr<RecipientData> data) const {
    return objectValue(make<Recipient>(context(), std::move(data), item_, guarded_));
}

}  // namespace sim
