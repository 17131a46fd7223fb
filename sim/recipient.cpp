#include "recipient.h"

#include "item.h"

namespace sim {

Recipient::Recipient(Context& session, std::shared_ptr<RecipientData> data, std::shared_ptr<Item> owner, bool guarded)
    : SimObject(session, "Recipient"), data_(std::move(data)), owner_(std::move(owner)) {
    property("Class", [](Args&) { return Value(int32_t{4}); });
    property("Name", [this](Args&) { return Value(data_->name); });
    property("Address", [this](Args&) { return Value(data_->address); });
    property("Type", [this](Args&) { return Value(int32_t{data_->type}); });
    writable("Type", [this](const Value& type) {
        data_->type = type.toInt16();
        changed();
    });
    property("Resolved", [this](Args&) { return Value(data_->resolved); });
    method("Resolve", [this](Args&) {
        data_->resolved = context().isResolvable(data_->name);
        changed();
        return Value(data_->resolved);
    });
    property("AddressEntry",
             [this](Args&) { return objectValue(make<AddressEntry>(context(), data_->name, data_->address)); });
    writable("AddressEntry", [this](const Value& value) {
        auto entry = objectOf<AddressEntry>(value);
        if (!entry) throw automation::errors::typeMismatch();
        data_->address = entry->address();
        changed();
    });
    guardEveryMember();
    if (!guarded) bypassGuard();
}

void Recipient::changed() {
    if (owner_) owner_->changed();
}

AddressEntry::AddressEntry(Context& session, std::string name, std::string address)
    : SimObject(session, "AddressEntry"), name_(std::move(name)), address_(std::move(address)) {
    property("Class", [](Args&) { return Value(int32_t{8}); });
    property("Name", [this](Args&) { return Value(name_); });
    property("Address", [this](Args&) { return Value(address_); });
}

}  // namespace sim
