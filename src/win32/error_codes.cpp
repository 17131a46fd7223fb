#include "win32/error_codes.h"

#include <cstdio>

namespace win32 {
namespace {

constexpr uint32_t ControlFacilityBase = 0x800A0000;
constexpr uint32_t FacilityMask = 0xFFFF0000;
constexpr uint32_t UnspecifiedFailure = 0x80004005;  // E_FAIL

}  // namespace

int32_t hresultFromErrorNumber(int32_t number) {
    if (number < 0) return number;
    if (number == 0 || number > 0xFFFF) return static_cast<int32_t>(UnspecifiedFailure);
    return static_cast<int32_t>(ControlFacilityBase | static_cast<uint32_t>(number));
}

int32_t errorNumberFromHresult(int32_t hresult) {
    const auto bits = static_cast<uint32_t>(hresult);
    if ((bits & FacilityMask) == ControlFacilityBase && (bits & 0xFFFF) != 0) return bits & 0xFFFF;
    return hresult;
}

std::string basicErrorText(int32_t number) {
    switch (number) {
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 13: return "Type mismatch";
    case 91: return "Object variable or With block variable not set";
    case 424: return "Object required";
    case 438: return "Object doesn't support this property or method";
    case 440: return "Automation error";
    default: return std::string();
    }
}

std::string automationErrorText(int32_t hresult) {
    char text[32];
    std::snprintf(text, sizeof text, "Automation error 0x%08X", static_cast<unsigned>(hresult));
    return text;
}

std::string trimMessage(std::string message) {
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

}  // namespace win32
