#pragma once

#include <string>
#include <vector>

#include "directory/free_busy.h"

struct ChosenAvailability {
    std::string name;
    FreeBusyReading reading;  // Unknown while not yet looked up
};

// The dialog's one line on the chosen entries: "Checking availability…" while any is unknown,
// else who is busy, out of office, tentative or without information ("Busy at this time: Anna Berg, Room 4";
// for a series by the first such date, "Busy on 14 Jan: Room 4"), or "All chosen are free at
// this time"; then how many chosen entries the filter hides. Empty with nothing chosen.
std::string AvailabilitySummary(const std::vector<ChosenAvailability>& chosen, bool recurring, int hidden);

// "14 Jan": an OLE date's day and month.
std::string DayAndMonth(double date);
