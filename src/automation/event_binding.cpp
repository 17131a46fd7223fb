#include "automation/event_binding.h"

#include <utility>

#include "automation/error.h"
#include "automation/withheld_calls.h"

namespace automation {

EventBinding::EventBinding(EventOwner& owner, EventSet set, Handlers handlers)
    : owner_(owner), set_(set), handlers_(std::move(handlers)) {}

EventBinding::~EventBinding() { clear(); }

void EventBinding::set(const Object& object) {
    Object old = std::exchange(object_, Object());
    const Cookie cookie = std::exchange(cookie_, 0);
    // A host that has gone keeps no connection to disconnect from.
    if (old && !CallsWithheld()) old.dispatch()->unadvise(cookie);
    old.clear();
    if (!object) return;
    if (CallsWithheld()) throw errors::disconnected();
    // Connect before holding, so a failing connection leaves the reference at Nothing.
    cookie_ = object.dispatch()->advise(set_, *this);
    object_ = object;
}

void EventBinding::onEvent(std::string_view event, EventArgs& args) {
    auto handler = handlers_.find(event);
    if (handler == handlers_.end()) return;
    std::shared_ptr<EventOwner> keepAlive = owner_.weak_from_this().lock();
    handler->second(args);
}

}  // namespace automation
