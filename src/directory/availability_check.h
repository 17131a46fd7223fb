#pragma once

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "automation/object.h"
#include "directory/directory_list.h"
#include "directory/free_busy.h"

// Looks up the availability of the dialog's entries for one showing, a step at a time as the
// dialog's idle work: the chosen entries first, then those in view; each name at most once. A
// failed look-up is "no information", logged once per showing.
class AvailabilityCheck {
public:
    AvailabilityCheck(DirectoryList& people, DirectoryList& resources, std::function<void()> changed);

    void Start(const automation::Object& appointment);
    // Ends the look-ups and lets go of every Outlook object they hold.
    void Stop();
    // Whether a step has something to do: the appointment to read, or an entry chosen or in view
    // whose name is not known yet.
    bool Pending() const;
    // The first step reads the appointment; each later one makes at most one look-up. Answers
    // whether it did either.
    bool Step();
    bool Recurring() const { return times_ && times_->recurring; }
    // What is known of a name this showing; Unknown before its look-up.
    FreeBusyReading Known(const std::string& name) const;

private:
    void ReadAppointment();
    void ReadInvited();
    // The next entry to look up: a chosen one, else one in view.
    std::optional<std::pair<DirectoryList*, int>> Next() const;
    FreeBusyReading LookUp(const std::string& name);
    void LogOnce(const std::string& name, const std::string& description);

    DirectoryList& people_;
    DirectoryList& resources_;
    std::function<void()> changed_;
    automation::Object appointment_;
    bool appointmentRead_ = false;
    std::optional<MeetingTimes> times_;
    std::unordered_map<std::string, automation::Object> invited_;
    std::unordered_map<std::string, FreeBusyReading> known_;
    bool failureLogged_ = false;
};
