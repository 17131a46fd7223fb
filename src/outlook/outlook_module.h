#pragma once

#include <cstdint>

#include "automation/object.h"

// Runs a built-in Office command by its control Id. True means a control with that Id exists,
// not that the command ran.
bool ExecuteCommandBarControl(const automation::Object& commandBars, int32_t controlId);

// The appointment wrapped by the security wrapper library, or the appointment itself without it.
automation::Object GetSafeAppointmentItem(const automation::Object& appointment);
