#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/dispatch.h"
#include "automation/error.h"
#include "automation/object.h"
#include "context.h"

namespace sim {

using automation::Object;
using automation::Value;
using Args = std::vector<Value>;

// Base of every simulated object. Its members are looked up by name without regard to case, as
// IDispatch does; a property read and a method call are the same kind of invocation, puts by value
// and by reference are not. References held through automation::Object are counted apart from
// the simulator's own shared ownership: while any is held, the object keeps itself alive.
class SimObject : public automation::Dispatch, public std::enable_shared_from_this<SimObject> {
public:
    SimObject(Context& session, std::string className);
    SimObject(const SimObject&) = delete;
    SimObject& operator=(const SimObject&) = delete;
    virtual ~SimObject();

    template <typename T, typename... Params>
    static std::shared_ptr<T> make(Params&&... params) {
        return std::make_shared<T>(std::forward<Params>(params)...);
    }

    const std::string& className() const { return className_; }
    int outsideReferences() const { return references_; }
    // The names of the members an invocation can reach, as registered.
    std::vector<std::string> memberNames() const;
    // A new counted reference to this object.
    Object object();
    void detach() { context_ = nullptr; }
    // Objects reached through the security wrapper library are not subject to the guard.
    void bypassGuard() { guardBypassed_ = true; }
    bool guardBypassed() const { return guardBypassed_; }

    void addRef() override;
    void release() override;
    Value invoke(std::string_view member, automation::InvokeKind kind, Args& args) override;
    const void* identity() override { return this; }
    automation::Dispatch* queryInterface(automation::Interface iface) override;
    automation::Cookie advise(automation::EventSet set, automation::EventSink& sink) override;
    void unadvise(automation::Cookie cookie) override;

    // Raises `event` synchronously to every sink still connected when its turn comes.
    void fire(std::string_view event, automation::EventArgs& args);
    void fire(std::string_view event);
    // Raises an event with one by-reference Boolean (Cancel), answering what the sinks left in it.
    bool fireCancellable(std::string_view event, Args leading = {});

protected:
    using Reader = std::function<Value(Args&)>;
    using Writer = std::function<void(const Value&)>;

    void property(const std::string& name, Reader read);
    void method(const std::string& name, Reader call);
    void writable(const std::string& name, Writer write);
    void assignableByRef(const std::string& name, Writer write);
    // Marks members that Outlook's guard refuses while access is denied.
    void guard(std::initializer_list<const char*> names);
    void guardEveryMember() { everyMemberGuarded_ = true; }
    void offerEvents(automation::EventSet set) { eventSet_ = set; }
    void answerInterface(automation::Interface iface) { interface_ = iface; }
    Context& context() const;
    // Raises when the object can no longer be used (a deleted item).
    virtual void checkUsable() const {}

private:
    struct Member {
        std::string name;
        Reader read;
        Writer put;
        Writer putRef;
        bool guarded = false;
    };
    struct Connection {
        automation::Cookie cookie;
        automation::EventSink* sink;
    };

    Member& entry(const std::string& name);
    void noteCallAfterEnd(std::string_view what) const;
    bool connected(automation::Cookie cookie) const;

    Context* context_;
    std::string className_;
    std::map<std::string, Member> members_;
    int references_ = 0;
    std::shared_ptr<SimObject> self_;
    std::optional<automation::EventSet> eventSet_;
    std::optional<automation::Interface> interface_;
    std::vector<Connection> connections_;
    automation::Cookie nextCookie_ = 1;
    bool guardBypassed_ = false;
    bool everyMemberGuarded_ = false;
};

// Argument helpers: a left-out argument is either absent or automation::Missing.
bool given(const Args& args, size_t index);
const Value& required(const Args& args, size_t index);
Value optional(const Args& args, size_t index, Value fallback);
Value nothing();

// The simulated object a value refers to, or null for Nothing or an object of another class.
template <typename T>
std::shared_ptr<T> objectOf(const Value& value) {
    Object object = value.toObject();
    auto* simulated = dynamic_cast<SimObject*>(object.dispatch());
    return simulated ? std::dynamic_pointer_cast<T>(simulated->shared_from_this()) : nullptr;
}

template <typename T>
Value objectValue(const std::shared_ptr<T>& object) {
    return object ? Value(object->object()) : Value(Object());
}

// Errors the simulated Outlook raises, with the codes callers see through automation.
namespace fail {
automation::Error failed(const std::string& description);
automation::Error badIndex();
automation::Error invalidArgument();
automation::Error notFound();
}  // namespace fail

}  // namespace sim
