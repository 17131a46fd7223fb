#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace automation {

// What a failing late-bound member raises: a numeric code and a readable description.
class Error : public std::runtime_error {
public:
    Error(int32_t code, const std::string& description)
        : std::runtime_error(description), code_(code) {}

    int32_t code() const { return code_; }
    std::string description() const { return what(); }

private:
    int32_t code_;
};

// The Basic runtime's own error numbers, raised by the product's conversions.
namespace errors {
constexpr int32_t InvalidProcedureCall = 5;
constexpr int32_t Overflow = 6;
constexpr int32_t TypeMismatch = 13;
constexpr int32_t ObjectNotSet = 91;
constexpr int32_t CannotCreateObject = 429;
constexpr int32_t NotSupported = 438;
// RPC_E_DISCONNECTED, as a call into a host that has gone raises it.
constexpr int32_t Disconnected = static_cast<int32_t>(0x80010108u);

Error invalidProcedureCall();
Error overflow();
Error typeMismatch();
Error objectNotSet();
Error cannotCreateObject();
Error disconnected();
}  // namespace errors

}  // namespace automation
