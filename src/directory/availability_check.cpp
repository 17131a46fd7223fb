#include "directory/availability_check.h"

#include "automation/counted_loop.h"
#include "automation/error.h"
#include "automation/value.h"
#include "host/globals.h"
#include "log/error_label.h"
#include "log/log.h"
#include "outlook/outlook_module.h"
#include "session/addin.h"

using automation::Object;
using ui::Availability;

AvailabilityCheck::AvailabilityCheck(DirectoryList& people, DirectoryList& resources, std::function<void()> changed)
    : people_(people), resources_(resources), changed_(std::move(changed)) {}

void AvailabilityCheck::Start(const Object& appointment) {
    Stop();
    appointment_ = appointment;
}

void AvailabilityCheck::Stop() {
    appointment_.clear();
    invited_.clear();
    known_.clear();
    times_.reset();
    appointmentRead_ = false;
    failureLogged_ = false;
}

bool AvailabilityCheck::Pending() const { return appointment_ && (!appointmentRead_ || Next()); }

FreeBusyReading AvailabilityCheck::Known(const std::string& name) const {
    auto found = known_.find(name);
    return found == known_.end() ? FreeBusyReading{Availability::Unknown} : found->second;
}

// Entries whose name was looked up already take what is known without a step of their own.
bool AvailabilityCheck::Step() {
    if (!appointment_) return false;
    if (!appointmentRead_) {
        ReadAppointment();
        changed_();
        return true;
    }
    while (std::optional<std::pair<DirectoryList*, int>> next = Next()) {
        auto [list, entry] = *next;
        const std::string name = list->Text(entry);
        auto found = known_.find(name);
        const bool asking = found == known_.end();
        const FreeBusyReading reading = asking ? LookUp(name) : found->second;
        // Closed while Outlook answered: what came back belongs to no showing.
        if (!appointment_) return true;
        known_[name] = reading;
        list->SetAvailability(entry, reading.state);
        changed_();
        if (asking) return true;
    }
    return false;
}

void AvailabilityCheck::ReadAppointment() {
    appointmentRead_ = true;
    try {
        times_ = ReadMeetingTimes(appointment_);
    } catch (const automation::Error& failure) {
        LogOnce("the meeting", failure.description());
    }
    ReadInvited();
}

// Those invited already are looked up through the appointment's own recipients, the security
// wrapper's where it is installed, so that the guard is not asked.
void AvailabilityCheck::ReadInvited() {
    IgnoreErrors([&] {
        Object recipients = GetSafeAppointmentItem(appointment_).get("Recipients").toObject();
        if (!recipients) return;
        automation::ForEachIndex(recipients.get("Count").toInt16(), [&](int16_t index) {
            IgnoreErrors([&] {
                Object recipient = recipients.call("Item", {index}).toObject();
                invited_.emplace(recipient.get("Name").toString(), recipient);
            });
        });
    });
}

std::optional<std::pair<DirectoryList*, int>> AvailabilityCheck::Next() const {
    for (DirectoryList* list : {&people_, &resources_})
        for (int entry : list->ChosenEntries())
            if (list->Availability(entry) == Availability::Unknown) return std::make_pair(list, entry);
    for (DirectoryList* list : {&people_, &resources_})
        for (int entry : list->VisibleEntries())
            if (list->Availability(entry) == Availability::Unknown) return std::make_pair(list, entry);
    return std::nullopt;
}

FreeBusyReading AvailabilityCheck::LookUp(const std::string& name) {
    if (!times_) return FreeBusyReading{};
    try {
        Object recipient;
        auto invited = invited_.find(name);
        if (invited != invited_.end()) {
            recipient = invited->second;
        } else {
            recipient = Addin().NameSpace().call("CreateRecipient", {name}).toObject();
            if (!recipient.call("Resolve").toBool()) {
                LogOnce(name, "The name could not be resolved.");
                return FreeBusyReading{};
            }
        }
        const std::string slots =
            recipient.call("FreeBusy", {automation::Date{times_->windowStart}, int32_t{MinutesPerSlot}, true}).toString();
        return ReadFreeBusy(slots, *times_);
    } catch (const automation::Error& failure) {
        LogOnce(name, failure.description());
        return FreeBusyReading{};
    }
}

void AvailabilityCheck::LogOnce(const std::string& name, const std::string& description) {
    if (failureLogged_) return;
    failureLogged_ = true;
    LogError("ShowForm:No availability information for " + name + ": " + description);
}
