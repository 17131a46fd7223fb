#pragma once

#include <string>

#include "directory/meeting_times.h"
#include "ui/widgets.h"

// What a free/busy string says of a meeting: the worst state over its occurrences, and the start
// of the first occurrence in that state.
struct FreeBusyReading {
    ui::Availability state = ui::Availability::NoInformation;
    double firstStart = 0;
};

// Reads `slots` (one digit per MinutesPerSlot minutes from the window's start: 0 free,
// 1 tentative, 2 busy, 3 out of office, 4 working elsewhere). Occurrences past the string's end
// are not known; with none known, or any other character, there is no information.
FreeBusyReading ReadFreeBusy(const std::string& slots, const MeetingTimes& times);
