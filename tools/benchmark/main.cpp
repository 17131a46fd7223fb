// Prints how long the add-in's heavier steps take in the simulated Outlook and how many calls
// into Outlook each makes, for directories and meetings of growing size.
#include <iostream>
#include <memory>

#include "benchmark_steps.h"

int main() {
    std::cout << "Quorvel, portable add-in in the simulated Outlook\n";
    // The add-in is part of this program: there is no library to load.
    BenchmarkHost host;
    host.newSession = [] { return std::make_shared<Session>(); };
    host.calls = [](Session& session) { return CallCounts{session.outlook().calls(), 0}; };
    RunBenchmark(std::cout, host);
    return 0;
}
