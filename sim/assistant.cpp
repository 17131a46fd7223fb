#include "assistant.h"

#include <vector>

namespace sim {
namespace {

// The return codes of each MsoAlertButtonType, in button order (the message-box codes).
const std::vector<std::vector<int32_t>> ButtonCodes = {
    {1},        // OK
    {1, 2},     // OK, Cancel
    {3, 4, 5},  // Abort, Retry, Ignore
    {6, 7, 2},  // Yes, No, Cancel
    {6, 7},     // Yes, No
    {4, 2},     // Retry, Cancel
};

}  // namespace

Assistant::Assistant(Context& session) : SimObject(session, "Assistant") {
    method("DoAlert", [this](Args& args) { return doAlert(args); });
}

Value Assistant::doAlert(Args& args) {
    std::string title = required(args, 0).toString();
    std::string text = required(args, 1).toString();
    int32_t buttons = required(args, 2).toInt32();
    int32_t defaultButton = optional(args, 4, Value(int32_t{0})).toInt32();
    if (buttons < 0 || buttons >= static_cast<int32_t>(ButtonCodes.size())) throw fail::invalidArgument();
    const std::vector<int32_t>& codes = ButtonCodes[buttons];
    // The default button is numbered from 0 (msoAlertDefaultFirst).
    if (defaultButton < 0 || defaultButton >= static_cast<int32_t>(codes.size())) throw fail::invalidArgument();
    AlertAnswer answer = context().showAlert(title, text, "assistant", codes.size() > 1);
    return Value(answer == AlertAnswer::Ok ? codes.front() : codes.back());
}

}  // namespace sim
