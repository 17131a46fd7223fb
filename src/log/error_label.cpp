#include "log/error_label.h"

#include "automation/error.h"
#include "log/log.h"

bool ErrorLabel::step(const std::function<void()>& statement) const {
    try {
        statement();
        return true;
    } catch (const automation::Error& error) {
        LogError(label_ + error.description());
        return false;
    }
}

bool ErrorLabel::test(const std::function<bool()>& condition) const {
    bool result = true;
    step([&] { result = condition(); });
    return result;
}

int16_t ErrorLabel::bound(const std::function<int16_t()>& upper) const {
    int16_t result = 1;
    step([&] { result = upper(); });
    return result;
}

bool IgnoreErrors(const std::function<void()>& statements) {
    try {
        statements();
        return true;
    } catch (const automation::Error&) {
        return false;
    }
}
