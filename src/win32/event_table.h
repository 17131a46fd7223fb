#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "automation/dispatch.h"
#include "win32/guid.h"

namespace win32 {

enum class EventArgument {
    Object,  // an Outlook or Office object, passed by value
    Cancel,  // a by-reference Boolean the handler may set
};

struct EventInfo {
    int32_t dispid;
    std::string_view name;
    std::vector<EventArgument> arguments;  // in declared order
};

// One event interface of Outlook or Office, as its type library declares it.
struct EventSetInfo {
    Guid iid;
    std::vector<EventInfo> events;

    // The event with this DISPID, or null for events the add-in does not handle.
    const EventInfo* find(int32_t dispid) const;
};

const EventSetInfo& eventSetInfo(automation::EventSet set);

}  // namespace win32
