#pragma once

#include <functional>
#include <vector>

#include "form_expectations.h"

namespace windowcheck {

// One form as the add-in opens it, what its window must show, and how the user closes it.
struct FormScenario {
    FormExpectation expected;
    std::function<void()> open;
    std::wstring closingButton;
    bool closingUnloads = false;  // the form is unloaded, its window destroyed; else only hidden
};

std::vector<FormScenario> formScenarios();

// Destroys every form the scenarios loaded.
void unloadForms();

}  // namespace windowcheck
