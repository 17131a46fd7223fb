#include "security_wrapper.h"

#include "folder.h"
#include "item.h"
#include "recipients.h"
#include "text.h"

namespace sim {
namespace {

automation::Error noItem() { return fail::failed("No item has been assigned to the wrapper."); }

}  // namespace

VeskCurrentUser::VeskCurrentUser(Context& session) : SimObject(session, "VeskCurrentUser") {
    property("Name", [this](Args&) { return Value(context().currentUser); });
    method("Cleanup", [](Args&) { return Value(); });
}

VeskAppointmentItem::VeskAppointmentItem(Context& session) : SimObject(session, "VeskAppointmentItem") {
    writable("Item", [this](const Value& value) {
        auto item = objectOf<Item>(value);
        if (!item || item->kind() != ItemKind::Appointment) throw automation::errors::typeMismatch();
        item_ = item;
    });
    property("Recipients", [this](Args&) {
        Item& appointment = item();
        if (context().wrapperRefusesRecipients) return nothing();
        return objectValue(
            make<Recipients>(context(), std::static_pointer_cast<Item>(appointment.shared_from_this()), false));
    });
    property("Organizer", [this](Args&) { return Value(item().organizer()); });
    property("RequiredAttendees", [this](Args&) { return Value(item().names(1)); });
    writable("RequiredAttendees", [this](const Value& value) { item().setNames(1, value.toString()); });
    property("Resources", [this](Args&) { return Value(item().names(3)); });
    writable("Resources", [this](const Value& value) { item().setNames(3, value.toString()); });
}

Item& VeskAppointmentItem::item() const {
    if (!item_) throw noItem();
    return *item_;
}

VeskMAPIFolder::VeskMAPIFolder(Context& session) : SimObject(session, "VeskMAPIFolder") {
    assignableByRef("Item", [this](const Value& value) {
        auto folder = objectOf<Folder>(value);
        if (!folder) throw automation::errors::typeMismatch();
        folder_ = folder;
    });
    property("HiddenItems", [this](Args&) {
        if (!folder_) throw noItem();
        return objectValue(make<HiddenItems>(context(), folder_));
    });
}

HiddenItems::HiddenItems(Context& session, std::shared_ptr<Folder> folder)
    : SimObject(session, "HiddenItems"), folder_(std::move(folder)) {
    property("Count", [this](Args&) { return Value(static_cast<int32_t>(folder_->hiddenItems().size())); });
    method("Item", [this](Args& args) {
        std::string subject = required(args, 0).toString();
        for (const auto& item : folder_->hiddenItems()) {
            if (equalNoCase(item->subject(), subject)) return objectValue(item);
        }
        return nothing();
    });
    method("Add", [this](Args& args) {
        std::string messageClass = required(args, 0).toString();
        auto item = make<Item>(context(), ItemKind::Appointment, messageClass);
        item->setHome(folder_, true);
        item->bypassGuard();
        return objectValue(item);
    });
}

}  // namespace sim
