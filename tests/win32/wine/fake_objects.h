#pragma once

#include <windows.h>
#include <ocidl.h>

// Stand-ins for Outlook's and Office's objects, with visible reference counts.
namespace checks {

// An object that is only an IDispatch (no member answers), optionally also answering
// QueryInterface for one more IID, as a ribbon control or ribbon UI object would.
struct FakeObject {
    IDispatch dispatch;
    LONG references;
    IID alsoAnswers;
};
FakeObject fakeObject(const IID& alsoAnswers = IID_IDispatch);

// An object with one connection point for the event interface `events`.
struct EventSource {
    IDispatch dispatch;
    IConnectionPointContainer container;
    IConnectionPoint point;
    LONG references;
    IID events;
    IDispatch* sink;  // the connected sink, as asked for `events`
    int unadvised;
};
EventSource eventSource(const IID& events);

}  // namespace checks
