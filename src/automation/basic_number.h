#pragma once

#include <string>

namespace automation {

// A text converted to a number as Basic converts it: blanks around, an optional sign, decimal
// digits with an optional decimal point and an optional exponent (E or D). Anything else, such
// as C's "0x0C", "inf" or "nan", is a Type mismatch; a number beyond a Double is an Overflow.
double ParseBasicNumber(const std::string& text);

}  // namespace automation
