#pragma once

namespace automation {

// Outlook may release the add-in while it tears itself down after ending without notice. Within
// this scope the add-in's references are still released, but every call that would reach the
// host (a member, a conversion, a connection or disconnection of events) raises instead.
class WithheldCalls {
public:
    WithheldCalls();
    ~WithheldCalls();
    WithheldCalls(const WithheldCalls&) = delete;
    WithheldCalls& operator=(const WithheldCalls&) = delete;
};

bool CallsWithheld();

}  // namespace automation
