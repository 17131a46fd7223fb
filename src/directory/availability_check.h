#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "automation/object.h"
#include "directory/directory_list.h"
#include "directory/free_busy.h"
#include "ui/widgets.h"

// Looks up the availability of the dialog's entries for one showing: after the window is shown,
// one look-up per timer slice on Outlook's thread, the chosen entries first, then those in view;
// each name at most once. A failed look-up is "no information", logged once per showing.
class AvailabilityCheck {
public:
    AvailabilityCheck(DirectoryList& people, DirectoryList& resources, std::function<void()> changed);

    void Start(ui::Window& window, const automation::Object& appointment);
    // Ends the look-ups and lets go of every Outlook object they hold.
    void Stop();
    // Entries were chosen or came into view: look-ups resume if they had run out.
    void Wake();
    bool Recurring() const { return times_ && times_->recurring; }
    // What is known of a name this showing; Unknown before its look-up.
    FreeBusyReading Known(const std::string& name) const;

private:
    bool Step();
    void ReadAppointment();
    void ReadInvited();
    // The next entry to look up: a chosen one, else one in view.
    std::optional<std::pair<DirectoryList*, int>> Next() const;
    FreeBusyReading LookUp(const std::string& name);
    void LogOnce(const std::string& name, const std::string& description);

    DirectoryList& people_;
    DirectoryList& resources_;
    std::function<void()> changed_;
    ui::Window* window_ = nullptr;
    automation::Object appointment_;
    std::unique_ptr<ui::IdleWork> work_;
    bool running_ = false;
    bool appointmentRead_ = false;
    std::optional<MeetingTimes> times_;
    std::unordered_map<std::string, automation::Object> invited_;
    std::unordered_map<std::string, FreeBusyReading> known_;
    bool failureLogged_ = false;
};
