#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

// A span of someone's time in one state (Outlook's OlBusyStatus: 0 free, 1 tentative, 2 busy,
// 3 out of office, 4 working elsewhere), as OLE dates.
struct BusySpan {
    double start = 0;
    double end = 0;
    int state = 0;
};

// The published free/busy of the session's names: free where nothing is set.
struct FreeBusyBook {
    std::map<std::string, std::vector<BusySpan>> spans;
    std::set<std::string> failing;
    int costMilliseconds = 0;

    // Recipient.FreeBusy's string: 30 days from midnight of `from`'s day, one character per
    // `minutesPerChar` minutes, each the most busy state of the spans it touches; without
    // `complete`, "0" free and "1" any other state.
    std::string slots(const std::string& name, double from, int minutesPerChar, bool complete) const;
};

}  // namespace sim
