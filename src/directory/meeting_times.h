#pragma once

#include <vector>

#include "automation/object.h"

// Free/busy strings are asked for in slots of this many minutes, over this many days.
constexpr int MinutesPerSlot = 15;
constexpr int FreeBusyDays = 30;

struct Occurrence {
    double start = 0;  // OLE dates
    double end = 0;
};

// The times a meeting's availability is checked for: each occurrence inside the free/busy
// window, which begins at midnight of the meeting's first day.
struct MeetingTimes {
    double windowStart = 0;
    bool recurring = false;
    std::vector<Occurrence> occurrences;
};

// Reads the appointment's Start and End and, for a series, each occurrence inside the window
// through its recurrence pattern; a failure to read Start or End goes to the caller.
MeetingTimes ReadMeetingTimes(const automation::Object& appointment);
