#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "automation/object.h"

namespace automation {

// Base of every class that receives events: a handler may drop the last reference to its own
// object (a window wrapper leaving the registry on Close), so the object is kept alive until the
// handler returns.
class EventOwner : public std::enable_shared_from_this<EventOwner> {
public:
    virtual ~EventOwner() = default;
};

// An event-bound reference (Basic's WithEvents): holds an object and connects the owner's
// handlers, one per event name, to it. Assigning another object or Nothing disconnects.
class EventBinding : private EventSink {
public:
    using Handler = std::function<void(EventArgs&)>;
    using Handlers = std::map<std::string, Handler, std::less<>>;

    EventBinding(EventOwner& owner, EventSet set, Handlers handlers);
    EventBinding(const EventBinding&) = delete;
    EventBinding& operator=(const EventBinding&) = delete;
    ~EventBinding();

    void set(const Object& object);
    void clear() { set(Object()); }
    const Object& get() const { return object_; }
    explicit operator bool() const { return static_cast<bool>(object_); }

private:
    void onEvent(std::string_view event, EventArgs& args) override;

    EventOwner& owner_;
    EventSet set_;
    Handlers handlers_;
    Object object_;
    Cookie cookie_ = 0;
};

}  // namespace automation
