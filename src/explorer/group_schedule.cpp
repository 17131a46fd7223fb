#include <array>

#include "automation/component_factory.h"
#include "automation/counted_loop.h"
#include "explorer/explorer.h"
#include "host/globals.h"
#include "log/error_label.h"
#include "outlook/outlook_constants.h"
#include "outlook/outlook_module.h"
#include "outlook/security_wrapper.h"
#include "session/addin.h"

using automation::Object;

namespace {

struct Schedule {
    const char* subject;
    bool people;
    bool resources;

    bool Takes(int16_t type) const {
        return (people && type == outlook::olRequired) || (resources && type == outlook::olResource);
    }
};

const std::array<Schedule, 3> Schedules{{
    {"{B911D251-1842-4720-A131-F164B6C99078} - Quorvel All", true, true},
    {"{B911D251-1842-4720-A131-F164B6C99078} - Quorvel People", true, false},
    {"{B911D251-1842-4720-A131-F164B6C99078} - Quorvel Resources", false, true},
}};

constexpr int32_t CalendarCommand = 7262;
constexpr int32_t GroupSchedulesCommand = 7002;

// Removes every member; stops at the first removal that fails, and after one attempt when even
// the count cannot be read, so a failing schedule cannot keep the loop going.
void EmptySchedule(const ErrorLabel& on, const Object& schedule) {
    for (;;) {
        bool more = true;
        bool counted = on.step([&] { more = schedule.get("Recipients").toObject().get("Count").toInt16() > 0; });
        if (!more) return;
        bool removed = on.step([&] { schedule.get("Recipients").toObject().call("Remove", {int16_t{1}}); });
        if (!removed || !counted) return;
    }
}

void CopyMember(const ErrorLabel& on, const Object& schedule, const Object& entry, Object& member) {
    member.clear();
    on.step([&] {
        member = schedule.get("Recipients").toObject().call("Add", {entry.get("Name")}).toObject();
    });
    // Without a new member the remaining steps would act on nothing, or on another member.
    if (!member) return;
    on.step([&] { member.put("AddressEntry", entry.get("AddressEntry")); });
    on.step([&] { member.put("Type", entry.get("Type")); });
    on.step([&] { member.call("Resolve"); });
}

}  // namespace

void cExplorer::UpdateGroupSchedule() {
    ErrorLabel on("UpdateGroupSchedule:");
    Object member;
    Object calendar;
    Object folderWrapper;
    Object hiddenItems;
    Object schedule;
    Object directory;
    on.step([&] { calendar = Addin().NameSpace().call("GetDefaultFolder", {outlook::olFolderCalendar}).toObject(); });
    on.step([&] { folderWrapper = automation::CreateObject(security_wrapper::MAPIFolderProgId); });
    if (folderWrapper) {
        on.step([&] { directory = GetSafeAppointmentItem(SettingsItem()); });
        on.step([&] { folderWrapper.putRef("Item", calendar); });
        on.step([&] { hiddenItems = folderWrapper.get("HiddenItems").toObject(); });
        for (const Schedule& kind : Schedules) {
            // A failed look-up must not leave the previous schedule to be refilled in its place,
            // nor add a second schedule beside the one it could not see.
            schedule.clear();
            if (!on.step([&] { schedule = hiddenItems.call("Item", {kind.subject}).toObject(); })) continue;
            if (!schedule) {
                on.step([&] { schedule = hiddenItems.call("Add", {"IPM.Appointment"}).toObject(); });
                // Saved without its subject, a schedule could never be found again.
                if (!on.step([&] { schedule.put("Subject", kind.subject); })) {
                    on.step([&] { schedule.call("Delete"); });
                    continue;
                }
            } else {
                EmptySchedule(on, schedule);
            }
            Object entries;
            on.step([&] { entries = directory.get("Recipients").toObject(); });
            int16_t count = on.bound([&] { return entries.get("Count").toInt16(); });
            automation::ForEachIndex(count, [&](int16_t index) {
                Object entry;
                on.step([&] { entry = entries.call("Item", {index}).toObject(); });
                if (on.test([&] { return kind.Takes(entry.get("Type").toInt16()); }))
                    CopyMember(on, schedule, entry, member);
            });
            on.step([&] { schedule.call("Save"); });
        }
    }
    member.clear();
    calendar.clear();
    folderWrapper.clear();
    hiddenItems.clear();
    schedule.clear();
    directory.clear();
}

void cExplorer::GroupScheduleButton_Click() {
    ErrorLabel on("GroupScheduleButton_Click:");
    if (on.test([&] {
            return Explorer().get("CurrentFolder").toObject().get("DefaultItemType").toInt16() !=
                   outlook::olAppointmentItem;
        }))
        on.step([&] { ExecuteCommandBarControl(Explorer().get("CommandBars").toObject(), CalendarCommand); });
    if (on.test([&] { return ExecuteCommandBarControl(Explorer().get("CommandBars").toObject(), GroupSchedulesCommand); }))
        return;
    on.step([] {
        Addin().OutlookAlert("Group Schedules Error",
                             "Could not open Group Schedules for this folder. Please switch to your calendar first.");
    });
}
