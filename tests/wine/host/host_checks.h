#pragma once

#include <ostream>

#include "outlook.h"

namespace host {

// After shut-down: the add-in asked each member's DISPID at most once per type, and holds no
// reference to any host object. Prints "ok: …" or "FAILED: …" per check; answers whether all passed.
bool checkAfterShutdown(const sim::Outlook& outlook, std::ostream& out);

}  // namespace host
