#include "automation/object.h"

#include <utility>

#include "automation/error.h"
#include "automation/withheld_calls.h"

namespace automation {

Object::Object(Dispatch* dispatch) : dispatch_(dispatch) {
    if (dispatch_) dispatch_->addRef();
}

Object Object::adopt(Dispatch* dispatch) {
    Object object;
    object.dispatch_ = dispatch;
    return object;
}

Object::Object(const Object& other) : Object(other.dispatch_) {}

Object::Object(Object&& other) noexcept : dispatch_(std::exchange(other.dispatch_, nullptr)) {}

Object& Object::operator=(Object other) noexcept {
    std::swap(dispatch_, other.dispatch_);
    return *this;
}

Object::~Object() { clear(); }

void Object::clear() {
    // Release after the reference reads as Nothing: the release may run clean-up that looks here.
    if (Dispatch* old = std::exchange(dispatch_, nullptr)) old->release();
}

Value Object::invoke(std::string_view member, InvokeKind kind, std::vector<Value> args) const {
    if (!dispatch_) throw errors::objectNotSet();
    if (CallsWithheld()) throw errors::disconnected();
    // Keeps the object alive should the call drop the holder's own reference.
    Object keep(*this);
    return keep.dispatch_->invoke(member, kind, args);
}

Value Object::get(std::string_view member, std::initializer_list<Value> args) const {
    return invoke(member, InvokeKind::Get, args);
}

void Object::put(std::string_view member, const Value& value) const {
    invoke(member, InvokeKind::Put, {value});
}

void Object::putRef(std::string_view member, const Value& value) const {
    invoke(member, InvokeKind::PutRef, {value});
}

Value Object::call(std::string_view member, std::initializer_list<Value> args) const {
    return invoke(member, InvokeKind::Call, args);
}

const void* Object::identity() const { return dispatch_ ? dispatch_->identity() : nullptr; }

bool Object::is(const Object& other) const { return identity() == other.identity(); }

Object Object::as(Interface iface) const {
    if (!dispatch_) throw errors::objectNotSet();
    if (CallsWithheld()) throw errors::disconnected();
    Dispatch* converted = dispatch_->queryInterface(iface);
    if (!converted) throw errors::typeMismatch();
    return adopt(converted);
}

}  // namespace automation
