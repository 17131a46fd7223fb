#include "item.h"

#include <algorithm>

#include "application.h"
#include "folder.h"
#include "inspector.h"
#include "namespace.h"
#include "recipients.h"
#include "text.h"
#include "windows.h"

namespace sim {
namespace {

constexpr int16_t DeletedItems = 3;
constexpr int16_t SentItems = 5;
constexpr int16_t Inbox = 6;
constexpr int16_t Calendar = 9;
constexpr int16_t Drafts = 16;

const char* classNameOf(ItemKind kind) {
    switch (kind) {
        case ItemKind::Appointment: return "AppointmentItem";
        case ItemKind::Mail: return "MailItem";
        case ItemKind::MeetingRequest: return "MeetingItem";
    }
    return "";
}

int32_t classOf(ItemKind kind) {
    switch (kind) {
        case ItemKind::Appointment: return 26;
        case ItemKind::Mail: return 43;
        case ItemKind::MeetingRequest: return 53;
    }
    return 0;
}

}  // namespace

SaveMode saveModeArgument(const Args& args) {
    int32_t mode = required(args, 0).toInt32();
    if (mode < 0 || mode > 2) throw fail::invalidArgument();
    return static_cast<SaveMode>(mode);
}

Item::Item(Context& session, ItemKind kind, std::string messageClass)
    : SimObject(session, classNameOf(kind)), kind_(kind) {
    state_.messageClass = std::move(messageClass);
    addMembers();
    if (kind_ == ItemKind::Appointment) addAppointmentMembers();
    offerEvents(automation::EventSet::Item);
}

void Item::addMembers() {
    property("Class", [this](Args&) { return Value(classOf(kind_)); });
    property("MessageClass", [this](Args&) { return Value(state_.messageClass); });
    writable("MessageClass", [this](const Value& value) {
        state_.messageClass = value.toString();
        changed();
    });
    property("Subject", [this](Args&) { return Value(state_.subject); });
    writable("Subject", [this](const Value& value) { setSubject(value.toString()); });
    property("EntryID", [this](Args&) { return Value(entryId_); });
    property("LastModificationTime", [this](Args&) { return Value(automation::Date{modified_}); });
    property("Saved", [this](Args&) { return Value(saved_); });
    property("Recipients",
             [this](Args&) { return objectValue(make<Recipients>(context(), self(), !guardBypassed())); });
    method("Save", [this](Args&) {
        save();
        return Value();
    });
    method("Copy", [this](Args&) { return objectValue(copy()); });
    method("Delete", [this](Args&) {
        remove();
        return Value();
    });
    method("Display", [this](Args&) {
        display();
        return Value();
    });
    method("Close", [this](Args& args) {
        SaveMode mode = saveModeArgument(args);
        close(mode, mode == SaveMode::Prompt);
        return Value();
    });
    method("Send", [this](Args&) {
        send();
        return Value();
    });
    guard({"Recipients", "Send"});
}

void Item::addAppointmentMembers() {
    property("Start", [this](Args&) { return Value(state_.start); });
    writable("Start", [this](const Value& value) {
        state_.start = value.toDate();
        changed();
    });
    property("End", [this](Args&) { return Value(state_.end); });
    writable("End", [this](const Value& value) {
        state_.end = value.toDate();
        changed();
    });
    property("IsRecurring", [this](Args&) { return Value(state_.series.count > 0); });
    method("GetRecurrencePattern", [this](Args&) { return objectValue(make<RecurrencePattern>(context(), self())); });
    property("ReminderSet", [this](Args&) { return Value(state_.reminderSet); });
    writable("ReminderSet", [this](const Value& value) {
        state_.reminderSet = value.toBool();
        changed();
    });
    property("MeetingStatus", [this](Args&) { return Value(int32_t{state_.meetingStatus}); });
    writable("MeetingStatus", [this](const Value& value) {
        state_.meetingStatus = value.toInt16();
        changed();
    });
    property("BusyStatus", [this](Args&) { return Value(int32_t{state_.busyStatus}); });
    writable("BusyStatus", [this](const Value& value) {
        state_.busyStatus = value.toInt16();
        changed();
    });
    property("Organizer", [this](Args&) { return Value(organizer()); });
    property("RequiredAttendees", [this](Args&) { return Value(names(1)); });
    writable("RequiredAttendees", [this](const Value& value) { setNames(1, value.toString()); });
    property("OptionalAttendees", [this](Args&) { return Value(names(2)); });
    writable("OptionalAttendees", [this](const Value& value) { setNames(2, value.toString()); });
    property("Resources", [this](Args&) { return Value(names(3)); });
    writable("Resources", [this](const Value& value) { setNames(3, value.toString()); });
    guard({"Organizer", "RequiredAttendees", "OptionalAttendees", "Resources"});
    answerInterface(automation::Interface::OutlookAppointmentItem);
}

void Item::setTime(automation::Date start, automation::Date end) {
    state_.start = start;
    state_.end = end;
    changed();
}

void Item::setSeries(WeeklySeries series) {
    state_.series = series;
    changed();
}

void Item::setSubject(std::string subject) {
    state_.subject = std::move(subject);
    changed();
}

ItemState Item::snapshot() const {
    ItemState state = state_;
    state.recipients.clear();
    for (const auto& recipient : recipients_) state.recipients.push_back(*recipient);
    return state;
}

void Item::restore(const ItemState& state) {
    state_ = state;
    recipients_.clear();
    for (const RecipientData& recipient : state.recipients)
        recipients_.push_back(std::make_shared<RecipientData>(recipient));
    state_.recipients.clear();
    savedState_ = state;
    saved_ = true;
}

void Item::seed(const ItemState& state, const std::shared_ptr<Folder>& folder) {
    restore(state);
    modified_ = context().nextModificationTime();
    everSaved_ = true;
    enterFolder(folder);
}

std::string Item::names(int16_t type) const {
    std::vector<std::string> names;
    for (const auto& recipient : recipients_) {
        if (recipient->type == type) names.push_back(recipient->name);
    }
    return joinNames(names);
}

void Item::setNames(int16_t type, const std::string& list) {
    writtenNames_[type] = list;
    recipients_.erase(std::remove_if(recipients_.begin(), recipients_.end(),
                                     [type](const auto& recipient) { return recipient->type == type; }),
                      recipients_.end());
    for (const std::string& name : splitNames(list))
        recipients_.push_back(std::make_shared<RecipientData>(RecipientData{name, type, false, ""}));
    changed();
}

std::string Item::writtenNames(int16_t type) const {
    auto written = writtenNames_.find(type);
    return written == writtenNames_.end() ? std::string() : written->second;
}

std::string Item::organizer() const { return state_.organizer.empty() ? context().currentUser : state_.organizer; }

void Item::checkUsable() const {
    if (deleted_) throw fail::failed("The item has been moved or deleted.");
}

std::shared_ptr<Item> Item::self() { return std::static_pointer_cast<Item>(shared_from_this()); }

std::shared_ptr<Folder> Item::defaultFolder(int16_t type) const {
    return context().application->nameSpace()->defaultFolder(type);
}

int16_t Item::defaultFolderType() const {
    switch (kind_) {
        case ItemKind::Appointment: return Calendar;
        case ItemKind::Mail: return Drafts;
        case ItemKind::MeetingRequest: return Inbox;
    }
    return Inbox;
}

void Item::setHome(std::shared_ptr<Folder> folder, bool hidden) {
    home_ = folder;
    hidden_ = hidden;
}

void Item::enterFolder(const std::shared_ptr<Folder>& folder) {
    if (entryId_.empty()) entryId_ = context().nextEntryId();
    folder_ = folder;
    if (hidden_)
        folder->hiddenItems().push_back(self());
    else
        folder->items().push_back(self());
}

void Item::save() {
    if (!folder_.lock()) {
        std::shared_ptr<Folder> home = home_.lock();
        if (!home) home = defaultFolder(defaultFolderType());
        enterFolder(home);
    }
    everSaved_ = true;
    savedState_ = snapshot();
    saved_ = true;
    modified_ = context().nextModificationTime();
}

void Item::moveTo(const std::shared_ptr<Folder>& target) {
    if (auto current = folder_.lock()) current->take(this);
    hidden_ = false;
    enterFolder(target);
}

void Item::remove() {
    std::shared_ptr<Folder> current = folder_.lock();
    std::shared_ptr<Folder> deletedItems = defaultFolder(DeletedItems);
    if (current && current != deletedItems && !hidden_) {
        moveTo(deletedItems);
        return;
    }
    // Deleting from Deleted Items, a hidden item or a never saved one destroys it.
    if (current) current->take(this);
    folder_.reset();
    deleted_ = true;
}

std::shared_ptr<Item> Item::copy() const {
    auto duplicate = make<Item>(context(), kind_, state_.messageClass);
    duplicate->restore(snapshot());
    duplicate->changed();
    duplicate->setHome(folder_.lock() ? folder_.lock() : home_.lock(), hidden_);
    return duplicate;
}

bool Item::send() {
    std::shared_ptr<Item> keep = self();
    if (fireCancellable("Send")) return false;
    if (context().application->fireItemSend(*this)) return false;
    recordSent();
    if (auto window = inspector()) window->close(SaveMode::Save, false);
    return true;
}

void Item::recordSent() {
    std::shared_ptr<Folder> sentItems = defaultFolder(SentItems);
    if (kind_ != ItemKind::Appointment) {
        save();
        moveTo(sentItems);
        return;
    }
    save();
    auto request = make<Item>(context(), ItemKind::MeetingRequest, "IPM.Schedule.Meeting.Request");
    request->restore(snapshot());
    request->state_.messageClass = "IPM.Schedule.Meeting.Request";
    request->enterFolder(sentItems);
}

bool Item::prepareClose(SaveMode mode, bool cancellable) {
    std::shared_ptr<Item> keep = self();
    bool cancel = fireCancellable("Close");
    if (cancel && cancellable) return false;
    if (saved_ || deleted_) return true;
    if (mode == SaveMode::Prompt) {
        AlertAnswer answer =
            context().showAlert("Microsoft Office Outlook", "Do you want to save changes?", "message box", true);
        if (answer == AlertAnswer::Cancel) return false;
        mode = SaveMode::Save;
    }
    if (mode == SaveMode::Save)
        save();
    else if (everSaved_)
        restore(savedState_);
    return true;
}

bool Item::close(SaveMode mode, bool cancellable) {
    if (auto window = inspector()) return window->close(mode, cancellable);
    return prepareClose(mode, cancellable);
}

void Item::display() {
    if (auto window = inspector()) {
        window->activate();
        return;
    }
    context().application->inspectors()->open(self());
}

}  // namespace sim
