#pragma once

#include <string>
#include <vector>

#include "session.h"

// What must hold of a session however a call into Outlook failed: the directory neither
// duplicated nor lost, no schedule twice and every schedule in step after one more close, no
// draft left behind, nothing held after shut-down.
class SessionChecks {
public:
    explicit SessionChecks(Session& session) : session_(session) {}

    // Notes whether a settings item exists now; called after every line.
    void AfterLine();
    // Shuts the add-in down if the script left it connected, then answers what did not hold.
    std::vector<std::string> AtEnd();

private:
    int SettingsItems();

    Session& session_;
    bool settingsEverExisted_ = false;
};
