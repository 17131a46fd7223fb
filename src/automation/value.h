#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "automation/object.h"

namespace automation {

// An OLE Automation date: days since 30 December 1899, the fraction being the time of day.
struct Date {
    double serial = 0;
    bool operator==(const Date& other) const { return serial == other.serial; }
};

// An argument left out of a call, so that the callee applies its default.
struct Missing {
    bool operator==(const Missing&) const { return true; }
};

// A variant as late-bound calls pass it. Strings are UTF-8.
class Value {
public:
    using Data = std::variant<std::monostate, bool, int16_t, int32_t, double, Date, std::string, Object, Missing>;

    Value() = default;
    Value(bool b) : data_(b) {}
    Value(int16_t i) : data_(i) {}
    Value(int32_t i) : data_(i) {}
    Value(double d) : data_(d) {}
    Value(Date d) : data_(d) {}
    Value(const char* s) : data_(std::string(s)) {}
    Value(std::string s) : data_(std::move(s)) {}
    Value(Object o) : data_(std::move(o)) {}
    Value(Missing m) : data_(m) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(data_); }
    bool isMissing() const { return std::holds_alternative<Missing>(data_); }
    bool isString() const { return std::holds_alternative<std::string>(data_); }
    bool isObject() const { return std::holds_alternative<Object>(data_); }
    const Data& data() const { return data_; }

    // Conversions follow Basic's coercion rules and raise Type mismatch or Overflow.
    bool toBool() const;
    int16_t toInt16() const;
    int32_t toInt32() const;
    double toDouble() const;
    Date toDate() const;
    std::string toString() const;
    Object toObject() const;

private:
    Data data_;
};

bool operator==(const Value& a, const Value& b);

}  // namespace automation
