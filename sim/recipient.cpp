#include "recipient.h"

#include <chrono>
#include <thread>

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
    method("FreeBusy", [this](Args& args) {
        const double from = required(args, 0).toDate().serial;
        const int32_t minutesPerChar = required(args, 1).toInt32();
        const bool complete = optional(args, 2, Value(false)).toBool();
        if (minutesPerChar <= 0) throw fail::invalidArgument();
        const FreeBusyBook& book = context().freeBusy;
        if (book.costMilliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(book.costMilliseconds));
        if (!context().isResolvable(data_->name)) throw fail::failed("The name could not be resolved.");
        if (book.failing.count(data_->name))
            throw fail::failed("The free/busy information of " + data_->name + " could not be retrieved.");
        return Value(book.slots(data_->name, from, minutesPerChar, complete));
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
