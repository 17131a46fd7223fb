#pragma once

#include <windows.h>
#include <oaidl.h>

#include "automation/dispatch.h"
#include "win32/event_table.h"

namespace win32 {

// Checks an event's DISPPARAMS against its declaration; on a mismatch answers the HRESULT for
// Invoke (and the offending argument's position in `argumentError`), else S_OK.
HRESULT checkEventArguments(const EventInfo& event, const DISPPARAMS* params, UINT* argumentError);

// The arguments in declared order. Call only after checkEventArguments succeeded.
automation::EventArgs readEventArguments(const EventInfo& event, const DISPPARAMS& params);

// Writes the handler's by-reference values (Cancel) back into the caller's variables.
void writeBackEventArguments(const EventInfo& event, const automation::EventArgs& args, DISPPARAMS& params);

}  // namespace win32
