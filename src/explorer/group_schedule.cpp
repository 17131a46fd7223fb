#include <array>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "automation/component_factory.h"
#include "automation/counted_loop.h"
#include "automation/error.h"
#include "directory/directory_reading.h"
#include "explorer/explorer.h"
#include "explorer/schedule_difference.h"
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

using Unresolved = std::set<std::pair<std::string, int16_t>>;

// Which item a schedule is and when it was last saved: while both stay the same, nothing has
// changed its members.
struct Stamp {
    std::string entryId;
    double modified;
    bool operator==(const Stamp& other) const { return entryId == other.entryId && modified == other.modified; }
};

// What the session knows of one schedule beyond what reading its members tells.
struct ScheduleState {
    // A step failed: the schedule may differ from the directory in ways its members' names and
    // types do not show (an address entry, a resolution, a save), so it is rebuilt at the next close.
    bool rebuild = false;
    // Whether `members` tells which members are resolved; until then they are asked.
    bool resolvedKnown = false;
    // The schedule as this session last left it in step, and its members then, each with whether
    // its Resolve last answered True: while its stamp is the same, they are not read again.
    std::optional<Stamp> left;
    std::vector<ScheduleMember> members;
};

// The members (name and type) whose Resolve last answered False: a rebuild would resolve them
// again, so keeping them resolves them again too.
Unresolved UnresolvedOf(const std::vector<ScheduleMember>& members) {
    Unresolved unresolved;
    for (const ScheduleMember& member : members)
        if (!member.resolved) unresolved.insert({member.name, member.type});
    return unresolved;
}

// The schedule's stamp, or none when it cannot be read.
std::optional<Stamp> ReadStamp(const ErrorLabel& on, const Object& schedule) {
    Stamp stamp;
    if (!on.step([&] {
            stamp = {schedule.get("EntryID").toString(), schedule.get("LastModificationTime").toDate().serial};
        }))
        return std::nullopt;
    return stamp;
}

std::array<ScheduleState, 3>& States() {
    static std::array<ScheduleState, 3> states;
    return states;
}

// Reads each member's name and type, and whether it is resolved when `withResolved`; false when
// a call failed.
bool ReadMembers(const ErrorLabel& on, const Object& members, bool withResolved, std::vector<ScheduleMember>& read) {
    read.clear();
    return on.step([&] {
        int16_t count = members.get("Count").toInt16();
        read.reserve(static_cast<size_t>(count > 0 ? count : 0));
        automation::ForEachIndex(count, [&](int16_t index) {
            Object member = members.call("Item", {index}).toObject();
            std::string name = member.get("Name").toString();
            int16_t type = member.get("Type").toInt16();
            bool resolved = withResolved ? member.get("Resolved").toBool() : true;
            read.push_back({std::move(name), type, resolved});
        });
    });
}

// Removes every member; stops at the first removal that fails, and after one attempt when even
// the count cannot be read, so a failing schedule cannot keep the loop going. Answers whether
// the schedule was seen empty.
bool EmptySchedule(const ErrorLabel& on, const Object& members) {
    for (;;) {
        bool more = true;
        bool counted = on.step([&] { more = members.get("Count").toInt16() > 0; });
        if (!more) return counted;
        bool removed = on.step([&] { members.call("Remove", {int16_t{1}}); });
        if (!removed || !counted) return false;
    }
}

// Copies one directory entry to the end of the schedule: added by its name, given its address
// entry and type, resolved. Answers whether every step succeeded.
bool CopyMember(const ErrorLabel& on, const DirectoryReading& directory, const Object& members,
                const DirectoryReading::Entry& entry, Unresolved& unresolved) {
    Object source;
    if (!on.step([&] { source = directory.Recipients().call("Item", {entry.index}).toObject(); })) return false;
    Object member;
    bool ok = on.step([&] { member = members.call("Add", {entry.name}).toObject(); });
    // Without a new member the remaining steps would act on nothing, or on another member.
    if (!member) return false;
    ok = on.step([&] { member.put("AddressEntry", source.get("AddressEntry")); }) && ok;
    ok = on.step([&] { member.put("Type", entry.type); }) && ok;
    bool resolved = false;
    ok = on.step([&] { resolved = member.call("Resolve").toBool(); }) && ok;
    if (!resolved) unresolved.insert({entry.name, entry.type});
    return ok;
}

// Brings one schedule in step with the directory by difference: its members are read once (not at
// all when it is as this session left it), those that go are removed, the entries after the ones
// kept are added and resolved. A schedule the session could not be sure of is emptied and
// refilled. Answers whether every step succeeded.
bool UpdateSchedule(const ErrorLabel& on, const Object& hiddenItems, const Schedule& kind, ScheduleState& state,
                    const DirectoryReading& directory, bool directoryKnown) {
    bool ok = true;
    auto step = [&](const std::function<void()>& statement) {
        bool done = on.step(statement);
        ok = ok && done;
        return done;
    };
    // A failed look-up must not leave the previous schedule to be refilled in its place, nor add
    // a second schedule beside the one it could not see.
    Object schedule;
    if (!step([&] { schedule = hiddenItems.call("Item", {kind.subject}).toObject(); })) return false;
    bool created = false;
    if (!schedule) {
        step([&] { schedule = hiddenItems.call("Add", {"IPM.Appointment"}).toObject(); });
        // Saved without its subject, a schedule could never be found again.
        if (!step([&] { schedule.put("Subject", kind.subject); })) {
            step([&] { schedule.call("Delete"); });
            return false;
        }
        created = true;
    }
    // Without the whole directory nothing can be compared: a new schedule is kept, empty, and
    // an existing one is left as it is.
    if (!directoryKnown) {
        if (created) step([&] { schedule.call("Save"); });
        return false;
    }
    Object members;
    if (!step([&] { members = schedule.get("Recipients").toObject(); })) {
        if (created) step([&] { schedule.call("Save"); });
        return false;
    }

    std::vector<const DirectoryReading::Entry*> wanted;
    for (const DirectoryReading::Entry& entry : directory.Entries())
        if (kind.Takes(entry.type)) wanted.push_back(&entry);

    Unresolved unresolved;
    bool changed = created;
    size_t kept = 0;
    std::optional<Stamp> stamp;
    if (!created && !state.rebuild) stamp = ReadStamp(on, schedule);
    const bool asLeft = stamp && state.left && *stamp == *state.left;
    std::vector<ScheduleMember> current;
    if (asLeft) current = state.members;
    // Members that cannot be read cannot be compared: the schedule is refilled instead.
    if (!created && (state.rebuild || (!asLeft && !ReadMembers(on, members, !state.resolvedKnown, current)))) {
        ok = EmptySchedule(on, members) && ok;
        changed = true;
    } else if (!created) {
        if (state.resolvedKnown) {
            const Unresolved before = UnresolvedOf(state.members);
            for (ScheduleMember& member : current) member.resolved = before.count({member.name, member.type}) == 0;
        }
        const ScheduleDifference difference = Difference(current, wanted);
        kept = difference.kept;
        // Resolved again first, while every member is still where it was read.
        for (int16_t position : difference.resolveAgain) {
            changed = true;
            const ScheduleMember& member = current[static_cast<size_t>(position - 1)];
            bool resolved = false;
            step([&] { resolved = members.call("Item", {position}).toObject().call("Resolve").toBool(); });
            if (!resolved) unresolved.insert({member.name, member.type});
        }
        // From the last, so that each index still names the member read there, even after a
        // removal that failed.
        for (auto position = difference.removals.rbegin(); position != difference.removals.rend(); ++position) {
            changed = true;
            step([&] { members.call("Remove", {*position}); });
        }
    }
    for (size_t index = kept; index < wanted.size(); ++index) {
        changed = true;
        ok = CopyMember(on, directory, members, *wanted[index], unresolved) && ok;
    }
    if (changed) stamp = step([&] { schedule.call("Save"); }) ? ReadStamp(on, schedule) : std::nullopt;
    state.members.clear();
    for (const DirectoryReading::Entry* entry : wanted)
        state.members.push_back({entry->name, entry->type, unresolved.count({entry->name, entry->type}) == 0});
    state.left = ok ? stamp : std::nullopt;
    state.resolvedKnown = true;
    return ok;
}

}  // namespace

void ResetGroupScheduleState() { States() = {}; }

void cExplorer::UpdateGroupSchedule(DirectoryReading& directory) {
    ErrorLabel on("UpdateGroupSchedule:");
    std::array<ScheduleState, 3>& states = States();
    auto uncertain = [&](bool done) {
        if (!done)
            for (ScheduleState& state : states) state.rebuild = true;
        return done;
    };
    Object calendar;
    Object folderWrapper;
    Object hiddenItems;
    Object directoryWrapper;
    uncertain(on.step(
        [&] { calendar = Addin().NameSpace().call("GetDefaultFolder", {outlook::olFolderCalendar}).toObject(); }));
    uncertain(on.step([&] { folderWrapper = automation::CreateObject(security_wrapper::MAPIFolderProgId); }));
    if (folderWrapper) {
        // Without the collection the close could not read, the schedules read their own.
        if (!directory.HasCollection()) {
            uncertain(on.step([&] { directoryWrapper = GetSafeAppointmentItem(SettingsItem()); }));
            uncertain(on.step([&] {
                Object recipients = directoryWrapper.get("Recipients").toObject();
                if (!recipients) throw automation::errors::objectNotSet();
                directory = DirectoryReading(recipients);
                if (directory.Failure()) throw *directory.Failure();
            }));
        }
        // A reading that stopped goes on from where it stopped; a directory still not known
        // whole leaves every existing schedule as it is, to be rebuilt at the next close.
        bool known = directory.HasCollection() && on.step([&] { directory.Resume(); });
        uncertain(on.step([&] { folderWrapper.putRef("Item", calendar); }));
        uncertain(on.step([&] { hiddenItems = folderWrapper.get("HiddenItems").toObject(); }));
        for (size_t index = 0; index < Schedules.size(); ++index)
            states[index].rebuild =
                !UpdateSchedule(on, hiddenItems, Schedules[index], states[index], directory, known);
    }
    calendar.clear();
    folderWrapper.clear();
    hiddenItems.clear();
    directoryWrapper.clear();
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
