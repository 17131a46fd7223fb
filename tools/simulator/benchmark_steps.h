#pragma once

#include <functional>
#include <memory>
#include <ostream>

#include "call_counts.h"
#include "session.h"

// How a benchmark makes its sessions and counts their calls: natively, or with Quorvel.dll
// through COM.
struct BenchmarkHost {
    // A session with the security wrapper installed and nothing connected yet.
    std::function<std::shared_ptr<Session>()> newSession;
    std::function<CallCounts(Session&)> calls;
    // Where the add-in is a library: loads it and makes its object once, as Outlook does before
    // connecting it.
    std::function<void()> load;
};

// Times the add-in's heavier steps, for directories and meetings of growing size, and prints
// each with its calls and its share of the limit Outlook holds add-ins to.
void RunBenchmark(std::ostream& out, const BenchmarkHost& host);
