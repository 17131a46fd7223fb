#pragma once

#include <windows.h>

#include <functional>

namespace windowcheck {

// Runs the thread's pending messages: windows paint and answer only while they are pumped.
void pumpPending();

// Pumps messages until `condition` holds, looking again whenever a message arrives and at least
// every few milliseconds; false when it still does not hold after `timeoutMs`.
bool pollUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Pumps messages until `handle` is signalled; false when `timeoutMs` passes first.
bool pumpUntilSignalled(HANDLE handle, DWORD timeoutMs);

}  // namespace windowcheck
