#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "directory/directory_reading.h"

// A group schedule's member as read: its name, its type and whether it is resolved.
struct ScheduleMember {
    std::string name;
    int16_t type;
    bool resolved;
};

// What turns a schedule's members into the entries it should hold, when a member can be removed
// from anywhere but added only at the end. The members kept are the longest run of wanted entries,
// from the first, that the schedule holds in that order (same name and type); every other member
// goes, and the wanted entries after that run are added.
struct ScheduleDifference {
    // wanted[0, kept) stay where they are, in order; wanted[kept, end) are to be added.
    size_t kept = 0;
    // Positions (from 1, ascending) of the members to remove.
    std::vector<int16_t> removals;
    // Positions of kept members that are not resolved: a rebuild would resolve them again.
    std::vector<int16_t> resolveAgain;
};

ScheduleDifference Difference(const std::vector<ScheduleMember>& members,
                              const std::vector<const DirectoryReading::Entry*>& wanted);
