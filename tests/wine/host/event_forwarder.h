#pragma once

#include <windows.h>
#include <oaidl.h>

#include "automation/dispatch.h"

namespace host {

// Raises a simulated object's events to one COM sink by the event set's real DISPIDs, with
// Cancel and CancelDefault by reference and their new values copied back for the simulator.
class EventForwarder final : public automation::EventSink {
public:
    EventForwarder(IDispatch* sink, automation::EventSet set);
    ~EventForwarder();
    EventForwarder(const EventForwarder&) = delete;
    EventForwarder& operator=(const EventForwarder&) = delete;

    // Raises the sink's failure as the handler's error.
    void onEvent(std::string_view event, automation::EventArgs& args) override;

private:
    IDispatch* sink_;
    automation::EventSet set_;
};

}  // namespace host
