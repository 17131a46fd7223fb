#include "directory/free_busy.h"

#include <cmath>
#include <optional>

using ui::Availability;

namespace {

std::optional<Availability> StateOf(char slot) {
    switch (slot) {
    case '0': return Availability::Free;
    case '1': return Availability::Tentative;
    case '2': return Availability::Busy;
    case '3': return Availability::OutOfOffice;
    case '4': return Availability::WorkingElsewhere;
    default: return std::nullopt;
    }
}

// From least to most in the way of a meeting.
int Rank(Availability state) {
    switch (state) {
    case Availability::Free: return 0;
    case Availability::WorkingElsewhere: return 1;
    case Availability::Tentative: return 2;
    case Availability::Busy: return 3;
    case Availability::OutOfOffice: return 4;
    default: return -1;
    }
}

long long MinutesFrom(double windowStart, double date) { return std::llround((date - windowStart) * 24 * 60); }

}  // namespace

FreeBusyReading ReadFreeBusy(const std::string& slots, const MeetingTimes& times) {
    FreeBusyReading worst;
    bool known = false;
    for (const Occurrence& occurrence : times.occurrences) {
        const long long start = MinutesFrom(times.windowStart, occurrence.start);
        const long long end = MinutesFrom(times.windowStart, occurrence.end);
        if (start < 0) continue;
        const long long first = start / MinutesPerSlot;
        // A meeting of no length still takes the slot it starts in.
        const long long last = std::max(first + 1, (end + MinutesPerSlot - 1) / MinutesPerSlot);
        if (last > static_cast<long long>(slots.size())) continue;
        for (long long slot = first; slot < last; ++slot) {
            const std::optional<Availability> state = StateOf(slots[static_cast<size_t>(slot)]);
            if (!state) return FreeBusyReading{};
            if (!known || Rank(*state) > Rank(worst.state)) worst = {*state, occurrence.start};
            known = true;
        }
    }
    return known ? worst : FreeBusyReading{};
}
