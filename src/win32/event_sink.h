#pragma once

#include <windows.h>
#include <oaidl.h>

#include "automation/dispatch.h"
#include "win32/event_table.h"

namespace win32 {

// The IDispatch an event source calls: it answers for one event interface, turns each event
// it knows into the portable sink's call and writes by-reference arguments back.
struct EventSinkObject {
    IDispatch dispatch;
    LONG references;
    const EventSetInfo* events;
    GUID iid;
    automation::EventSink* sink;  // null once disconnected
};

// A new sink with one reference, owned by the caller.
EventSinkObject* createEventSink(automation::EventSet set, automation::EventSink& sink);
// Events that still arrive (a source may call during or after Unadvise) reach no one.
void detachEventSink(EventSinkObject* sink);

}  // namespace win32
