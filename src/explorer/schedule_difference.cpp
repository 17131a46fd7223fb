#include "explorer/schedule_difference.h"

ScheduleDifference Difference(const std::vector<ScheduleMember>& members,
                              const std::vector<const DirectoryReading::Entry*>& wanted) {
    ScheduleDifference difference;
    for (size_t index = 0; index < members.size(); ++index) {
        const ScheduleMember& member = members[index];
        const int16_t position = static_cast<int16_t>(index + 1);
        const bool next = difference.kept < wanted.size() && member.name == wanted[difference.kept]->name &&
                          member.type == wanted[difference.kept]->type;
        if (!next) {
            difference.removals.push_back(position);
            continue;
        }
        ++difference.kept;
        if (!member.resolved) difference.resolveAgain.push_back(position);
    }
    return difference;
}
