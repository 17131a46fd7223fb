#pragma once

#include <cstdint>
#include <functional>
#include <string>

// A procedure's error label: each statement that fails is logged as the label followed by the
// error's description, and the procedure resumes at its next statement.
class ErrorLabel {
public:
    explicit ErrorLabel(std::string label) : label_(std::move(label)) {}

    // Runs one statement; answers whether it succeeded. A failed statement has no effect.
    bool step(const std::function<void()>& statement) const;
    // The test of an if or a loop: a failing test counts as true, entering the block.
    bool test(const std::function<bool()>& condition) const;
    // The upper bound of a counted loop: a failing bound enters the body once.
    int16_t bound(const std::function<int16_t()>& upper) const;

private:
    std::string label_;
};

// Runs statements with errors ignored and not logged; answers whether they all ran.
bool IgnoreErrors(const std::function<void()>& statements);
