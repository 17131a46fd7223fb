#pragma once

namespace windowcheck {

// Idle work: one step per timer message, never one inside another, ended by its step's false
// and by its destruction, and counted by the pending-work message.
void checkIdleWork();

}  // namespace windowcheck
