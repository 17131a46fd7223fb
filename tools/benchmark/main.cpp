// Prints how long the add-in's heavier steps take in the simulated Outlook and how many calls
// into Outlook each makes, for directories and meetings of growing size.
#include <iostream>
#include <memory>

#include "benchmark_steps.h"

int main() {
    std::cout << "Quorvel, portable add-in in the simulated Outlook\n";
    BenchmarkHost host{[] { return std::make_shared<Session>(); },
                       [](Session& session) { return CallCounts{session.outlook().calls(), 0}; }};
    RunBenchmark(std::cout, host);
    return 0;
}
