#pragma once

#include <ostream>

namespace host {

// After the user unticked the add-in: none of its windows, its window class or its message hook
// is left, the library answers that it can be unloaded, and COM unloads it. Prints "ok: …" or
// "FAILED: …" per check; answers whether all passed.
bool checkLibraryUnloaded(std::ostream& out);

}  // namespace host
