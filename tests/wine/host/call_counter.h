#pragma once

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "call_counts.h"

namespace host {

// DISPIDs the host's objects hand out, one per member name (without regard to case, as the
// simulated objects look members up), and the calls the add-in made to get and use them.
DISPID dispidOf(std::string_view member);
// The member a DISPID stands for, as first asked.
std::optional<std::string> memberOf(DISPID dispid);

void countNameLookup(const std::string& className, std::string_view member);
void countInvoke();

::CallCounts callCounts();
// "Class.Member asked N times" for each name the add-in looked up more than once on one type.
std::vector<std::string> repeatedNameLookups();
// A library loaded anew knows no DISPID yet: its look-ups are counted from here.
void forgetNameLookups();

}  // namespace host
