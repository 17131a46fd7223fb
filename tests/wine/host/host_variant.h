#pragma once

#include <windows.h>
#include <oaidl.h>

#include "automation/value.h"

namespace host {

// Values between the simulated Outlook and the add-in: simulated objects travel as the host's
// COM objects and come back as themselves; everything else converts as the product converts it.
void toVariant(const automation::Value& value, VARIANT& out);
automation::Value fromVariant(const VARIANT& value);

}  // namespace host
