#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "automation/dispatch.h"

namespace automation {

// A counted reference to a late-bound object, or Nothing. Copying adds a reference; clearing or
// destroying releases it at once.
class Object {
public:
    Object() = default;
    // Takes a new reference to `dispatch`.
    explicit Object(Dispatch* dispatch);
    // Adopts a reference the caller already owns.
    static Object adopt(Dispatch* dispatch);

    Object(const Object& other);
    Object(Object&& other) noexcept;
    Object& operator=(Object other) noexcept;
    ~Object();

    explicit operator bool() const { return dispatch_ != nullptr; }
    bool isNothing() const { return dispatch_ == nullptr; }
    void clear();

    Value get(std::string_view member, std::initializer_list<Value> args = {}) const;
    void put(std::string_view member, const Value& value) const;
    void putRef(std::string_view member, const Value& value) const;
    Value call(std::string_view member, std::initializer_list<Value> args = {}) const;

    // COM identity: the same object, never equal values.
    bool is(const Object& other) const;
    const void* identity() const;
    // Raises Type mismatch, as a failed QueryInterface does, when the object lacks `iface`.
    Object as(Interface iface) const;

    Dispatch* dispatch() const { return dispatch_; }

private:
    Value invoke(std::string_view member, InvokeKind kind, std::vector<Value> args) const;

    Dispatch* dispatch_ = nullptr;
};

inline bool operator==(const Object& a, const Object& b) { return a.is(b); }

}  // namespace automation

#include "automation/value.h"
