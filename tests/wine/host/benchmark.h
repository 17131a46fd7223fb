#pragma once

#include <ostream>

namespace host {

// Prints how long Quorvel.dll takes for its heavier steps through real COM, with the calls it
// made on host objects, beside the limits Outlook holds add-ins to. Answers the exit code.
int runBenchmark(std::ostream& out);

}  // namespace host
