#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace automation {

class Value;

enum class InvokeKind { Get, Put, PutRef, Call };

// The named interfaces the add-in converts objects to, as a QueryInterface would.
enum class Interface { OutlookApplication, OutlookAppointmentItem };

// The event sets the add-in subscribes to, each with its own event names.
enum class EventSet { Application, Explorers, Inspectors, Explorer, Inspector, Item, CommandBarButton };

// Event arguments in their declared order; by-reference ones (Cancel, CancelDefault) are
// written back to the source after the handler returns.
using EventArgs = std::vector<Value>;

class EventSink {
public:
    virtual void onEvent(std::string_view event, EventArgs& args) = 0;

protected:
    ~EventSink() = default;
};

using Cookie = uint32_t;

// One late-bound object of a backend (real COM or the simulated Outlook), reference counted.
class Dispatch {
public:
    virtual void addRef() = 0;
    virtual void release() = 0;
    virtual Value invoke(std::string_view member, InvokeKind kind, std::vector<Value>& args) = 0;
    // The object's identity: equal for every reference to the same object.
    virtual const void* identity() = 0;
    // A new reference to the object seen through `iface`, or null when it does not offer it.
    virtual Dispatch* queryInterface(Interface iface) = 0;
    virtual Cookie advise(EventSet set, EventSink& sink) = 0;
    virtual void unadvise(Cookie cookie) = 0;

protected:
    ~Dispatch() = default;
};

}  // namespace automation
