#include "free_busy.h"

#include <cmath>

namespace sim {
namespace {

constexpr int Days = 30;
constexpr double MinutesPerDay = 24 * 60;

// Outlook shows the most busy of overlapping states: out of office over busy over tentative over
// working elsewhere over free.
int Weight(int state) {
    constexpr int Weights[] = {0, 2, 3, 4, 1};
    return state >= 0 && state <= 4 ? Weights[state] : 0;
}

}  // namespace

std::string FreeBusyBook::slots(const std::string& name, double from, int minutesPerChar, bool complete) const {
    const double start = std::floor(from);
    const int count = static_cast<int>(Days * MinutesPerDay / minutesPerChar);
    std::string result(static_cast<size_t>(count), '0');
    auto found = spans.find(name);
    if (found == spans.end()) return result;
    for (int slot = 0; slot < count; ++slot) {
        const double slotStart = start + slot * minutesPerChar / MinutesPerDay;
        const double slotEnd = start + (slot + 1) * minutesPerChar / MinutesPerDay;
        int state = 0;
        for (const BusySpan& span : found->second)
            if (span.start < slotEnd && span.end > slotStart && Weight(span.state) > Weight(state)) state = span.state;
        result[static_cast<size_t>(slot)] = static_cast<char>('0' + (complete ? state : (state == 0 ? 0 : 1)));
    }
    return result;
}

}  // namespace sim
