#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>

#include "automation/object.h"

namespace host {

// Each simulated Outlook object appears to the add-in as one COM object (so COM identity holds)
// with IDispatch and IConnectionPointContainer, answering QueryInterface for Outlook's
// _Application and _AppointmentItem exactly when the simulated object offers them. Every COM
// reference is one counted reference to the simulated object, so the simulated Outlook counts
// what the add-in holds.

// A new reference to the COM object of `object`; null for Nothing.
IDispatch* comObjectOf(const automation::Object& object);
bool isHostObject(IUnknown* unknown);
// The simulated object behind one of the host's COM objects.
automation::Object simObjectOf(IUnknown* hostObject);
// How many of the host's COM objects are alive.
size_t liveComObjects();

}  // namespace host
