#pragma once

#include <windows.h>

#include <vector>

#include "outlook.h"

namespace host {

// The security wrapper library's three classes, served by this process for the session: their
// ProgIDs name host CLSIDs in the registry and class objects registered with COM create them
// through the simulated Outlook, which answers only while a scenario has the library installed.
class SecurityWrapperClasses {
public:
    explicit SecurityWrapperClasses(sim::Outlook& outlook);
    ~SecurityWrapperClasses();
    SecurityWrapperClasses(const SecurityWrapperClasses&) = delete;
    SecurityWrapperClasses& operator=(const SecurityWrapperClasses&) = delete;

private:
    std::vector<DWORD> registrations_;
};

}  // namespace host
