#include "sim_object.h"

#include <algorithm>
#include <cctype>

namespace sim {
namespace {

constexpr int32_t E_ABORT = static_cast<int32_t>(0x80004004u);
constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005u);
constexpr int32_t E_INVALIDARG = static_cast<int32_t>(0x80070057u);
constexpr int32_t DISP_E_BADINDEX = static_cast<int32_t>(0x8002000Bu);
constexpr int32_t MAPI_E_NOT_FOUND = static_cast<int32_t>(0x8004010Fu);
constexpr int32_t CONNECT_E_NOCONNECTION = static_cast<int32_t>(0x80040200u);
constexpr int32_t RPC_E_DISCONNECTED = static_cast<int32_t>(0x80010108u);

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

automation::Error notSupported() {
    return automation::Error(automation::errors::NotSupported, "Object doesn't support this property or method");
}

}  // namespace

SimObject::SimObject(Context& session, std::string className) : context_(&session), className_(std::move(className)) {
    context_->enroll(this);
}

SimObject::~SimObject() {
    if (context_) context_->withdraw(this);
}

Context& SimObject::context() const {
    if (!context_) throw automation::Error(RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients.");
    return *context_;
}

Object SimObject::object() { return Object(this); }

std::vector<std::string> SimObject::memberNames() const {
    std::vector<std::string> names;
    for (const auto& entry : members_) names.push_back(entry.second.name);
    return names;
}

void SimObject::noteCallAfterEnd(std::string_view what) const {
    if (context_) context_->noteCallAfterEnd(className_, what);
}

void SimObject::addRef() {
    noteCallAfterEnd("AddRef");
    if (references_++ == 0) self_ = shared_from_this();
}

void SimObject::release() {
    noteCallAfterEnd("Release");
    if (references_ == 0) return;
    if (--references_ > 0) return;
    // Destroyed, if nobody inside holds it, only after the count reads zero.
    std::shared_ptr<SimObject> last = std::move(self_);
}

SimObject::Member& SimObject::entry(const std::string& name) {
    Member& member = members_[lowered(name)];
    member.name = name;
    return member;
}

void SimObject::property(const std::string& name, Reader read) { entry(name).read = std::move(read); }

void SimObject::method(const std::string& name, Reader call) { entry(name).read = std::move(call); }

void SimObject::writable(const std::string& name, Writer write) { entry(name).put = std::move(write); }

void SimObject::assignableByRef(const std::string& name, Writer write) { entry(name).putRef = std::move(write); }

void SimObject::guard(std::initializer_list<const char*> names) {
    for (const char* name : names) entry(name).guarded = true;
}

Value SimObject::invoke(std::string_view name, automation::InvokeKind kind, Args& args) {
    noteCallAfterEnd(name);
    Context& session = context();
    auto found = members_.find(lowered(name));
    if (found == members_.end()) throw notSupported();
    const Member& member = found->second;
    bool reading = kind == automation::InvokeKind::Get || kind == automation::InvokeKind::Call;
    const Writer& writer = kind == automation::InvokeKind::Put ? member.put : member.putRef;
    if (reading ? !member.read : !writer) throw notSupported();
    if (!reading && args.empty()) throw automation::Error(449, "Argument not optional");
    // The caller may drop its last reference during the call.
    std::shared_ptr<SimObject> keep = shared_from_this();
    session.beforeMember(className_, member.name);
    bool guarded = member.guarded || everyMemberGuarded_;
    if (guarded && !guardBypassed_ && session.accessDenied) throw automation::Error(E_ABORT, "Operation aborted");
    checkUsable();
    if (reading) return member.read(args);
    writer(args.back());
    return Value();
}

automation::Dispatch* SimObject::queryInterface(automation::Interface iface) {
    if (interface_ != iface) return nullptr;
    addRef();
    return this;
}

automation::Cookie SimObject::advise(automation::EventSet set, automation::EventSink& sink) {
    noteCallAfterEnd("Advise");
    context();
    if (eventSet_ != set)
        throw automation::Error(CONNECT_E_NOCONNECTION, "The object does not raise events of that set.");
    automation::Cookie cookie = nextCookie_++;
    connections_.push_back({cookie, &sink});
    return cookie;
}

void SimObject::unadvise(automation::Cookie cookie) {
    noteCallAfterEnd("Unadvise");
    // Never raises: callers disconnect from destructors.
    connections_.erase(std::remove_if(connections_.begin(), connections_.end(),
                                      [cookie](const Connection& c) { return c.cookie == cookie; }),
                       connections_.end());
}

bool SimObject::connected(automation::Cookie cookie) const {
    return std::any_of(connections_.begin(), connections_.end(),
                       [cookie](const Connection& c) { return c.cookie == cookie; });
}

void SimObject::fire(std::string_view event, automation::EventArgs& args) {
    std::shared_ptr<SimObject> keep = shared_from_this();
    // The add-in's handlers call as the add-in, whoever raised the event.
    std::optional<AddinCallScope> handlers;
    if (context_) handlers.emplace(*context_);
    std::vector<Connection> sinks = connections_;
    for (const Connection& connection : sinks) {
        if (!connected(connection.cookie)) continue;
        try {
            connection.sink->onEvent(event, args);
        } catch (const automation::Error& error) {
            if (context_) context_->handlerFailures.push_back(std::string(event) + ": " + error.description());
        }
    }
}

void SimObject::fire(std::string_view event) {
    automation::EventArgs none;
    fire(event, none);
}

bool SimObject::fireCancellable(std::string_view event, Args leading) {
    leading.emplace_back(false);
    fire(event, leading);
    return leading.back().toBool();
}

bool given(const Args& args, size_t index) { return index < args.size() && !args[index].isMissing(); }

const Value& required(const Args& args, size_t index) {
    if (!given(args, index)) throw automation::Error(449, "Argument not optional");
    return args[index];
}

Value optional(const Args& args, size_t index, Value fallback) { return given(args, index) ? args[index] : fallback; }

Value nothing() { return Value(Object()); }

namespace fail {
automation::Error failed(const std::string& description) { return automation::Error(E_FAIL, description); }
automation::Error badIndex() { return automation::Error(DISP_E_BADINDEX, "Array index out of bounds."); }
automation::Error invalidArgument() { return automation::Error(E_INVALIDARG, "The parameter is incorrect."); }
automation::Error notFound() {
    return automation::Error(MAPI_E_NOT_FOUND, "The operation failed. An object could not be found.");
}
}  // namespace fail

}  // namespace sim
