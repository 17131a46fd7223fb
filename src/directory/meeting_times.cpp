#include "directory/meeting_times.h"

#include <cmath>

#include "automation/value.h"
#include "log/error_label.h"

using automation::Date;
using automation::Object;

namespace {

// A series' occurrences are found by asking the pattern for one at the first occurrence's time
// of day on each day of the window; a day without one raises, and so does a deleted one.
void AddOccurrences(MeetingTimes& times, const Object& appointment, const Occurrence& first) {
    Object pattern = appointment.call("GetRecurrencePattern").toObject();
    const double timeOfDay = first.start - times.windowStart;
    for (int day = 0; day < FreeBusyDays; ++day) {
        Object occurrence;
        if (!IgnoreErrors([&] {
                occurrence = pattern.call("GetOccurrence", {Date{times.windowStart + day + timeOfDay}}).toObject();
            }))
            continue;
        Occurrence found;
        if (IgnoreErrors([&] {
                found.start = occurrence.get("Start").toDate().serial;
                found.end = occurrence.get("End").toDate().serial;
            }))
            times.occurrences.push_back(found);
    }
}

}  // namespace

MeetingTimes ReadMeetingTimes(const Object& appointment) {
    const Occurrence first{appointment.get("Start").toDate().serial, appointment.get("End").toDate().serial};
    MeetingTimes times;
    times.windowStart = std::floor(first.start);
    times.recurring = appointment.get("IsRecurring").toBool();
    if (times.recurring) AddOccurrences(times, appointment, first);
    // A series whose pattern cannot be read is checked at its first occurrence at least.
    if (times.occurrences.empty()) times.occurrences.push_back(first);
    return times;
}
