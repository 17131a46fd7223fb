#pragma once

#include <string_view>

namespace host {

// Once the host has begun to end its process, every call the add-in makes into a host object is
// written at once to standard error as "after exit: Method Class": nothing of the process may be
// relied on to print it later.
void beginExitTrace();
void traceCall(std::string_view method, std::string_view className);

}  // namespace host
