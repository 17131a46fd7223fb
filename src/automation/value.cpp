#include "automation/value.h"
#include "automation/basic_number.h"
#include "automation/error.h"

#include <cmath>
#include <limits>
#include <sstream>

namespace automation {
namespace {

// Basic rounds half to even when it narrows a floating value to an integer.
template <typename Int>
Int narrow(double number) {
    double rounded = std::nearbyint(number);
    if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max()))
        throw errors::overflow();
    return static_cast<Int>(rounded);
}

std::string formatNumber(double number) {
    std::ostringstream out;
    out.precision(15);
    out << number;
    return out.str();
}

}  // namespace

double Value::toDouble() const {
    struct Visitor {
        double operator()(std::monostate) const { return 0; }
        double operator()(bool b) const { return b ? -1 : 0; }
        double operator()(int16_t i) const { return i; }
        double operator()(int32_t i) const { return i; }
        double operator()(double d) const { return d; }
        double operator()(Date d) const { return d.serial; }
        double operator()(const std::string& s) const { return ParseBasicNumber(s); }
        double operator()(const Object&) const { throw errors::typeMismatch(); }
        double operator()(Missing) const { throw errors::typeMismatch(); }
    };
    return std::visit(Visitor{}, data_);
}

int16_t Value::toInt16() const { return narrow<int16_t>(toDouble()); }

int32_t Value::toInt32() const { return narrow<int32_t>(toDouble()); }

Date Value::toDate() const {
    if (auto date = std::get_if<Date>(&data_)) return *date;
    return Date{toDouble()};
}

bool Value::toBool() const {
    if (auto text = std::get_if<std::string>(&data_)) {
        if (*text == "True") return true;
        if (*text == "False") return false;
    }
    return toDouble() != 0;
}

std::string Value::toString() const {
    struct Visitor {
        std::string operator()(std::monostate) const { return ""; }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(int16_t i) const { return std::to_string(i); }
        std::string operator()(int32_t i) const { return std::to_string(i); }
        std::string operator()(double d) const { return formatNumber(d); }
        std::string operator()(Date d) const { return formatNumber(d.serial); }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(const Object&) const { throw errors::typeMismatch(); }
        std::string operator()(Missing) const { throw errors::typeMismatch(); }
    };
    return std::visit(Visitor{}, data_);
}

Object Value::toObject() const {
    if (auto object = std::get_if<Object>(&data_)) return *object;
    if (isEmpty()) return Object();
    throw errors::typeMismatch();
}

bool operator==(const Value& a, const Value& b) {
    if (a.isObject() && b.isObject()) return a.toObject().is(b.toObject());
    return a.data() == b.data();
}

}  // namespace automation
