#include "automation/basic_number.h"

#include <cmath>
#include <cstdlib>

#include "automation/error.h"

namespace automation {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }
bool IsExponent(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

// Appends the run of digits at `at` to `out`; answers how many there were.
size_t TakeDigits(const std::string& text, size_t& at, std::string& out) {
    size_t start = at;
    while (at < text.size() && IsDigit(text[at])) out += text[at++];
    return at - start;
}

}  // namespace

double ParseBasicNumber(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    // Rebuilt in C's own form only from what Basic accepts, so strtod meets nothing else.
    std::string number;
    if (at < text.size() && IsSign(text[at])) number += text[at++];
    size_t digits = TakeDigits(text, at, number);
    if (at < text.size() && text[at] == '.') {
        number += text[at++];
        digits += TakeDigits(text, at, number);
    }
    if (digits == 0) throw errors::typeMismatch();
    if (at < text.size() && IsExponent(text[at])) {
        number += 'e';
        ++at;
        if (at < text.size() && IsSign(text[at])) number += text[at++];
        if (TakeDigits(text, at, number) == 0) throw errors::typeMismatch();
    }
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at != text.size()) throw errors::typeMismatch();
    double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) throw errors::overflow();
    return value;
}

}  // namespace automation
