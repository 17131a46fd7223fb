#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session.h"

// A simulated Outlook with the add-in loadable, checking after every test that the add-in,
// shut down, holds no reference to any Outlook object.
class AddinTest : public testing::Test {
protected:
    void TearDown() override;

    // Connects and completes start-up, as Outlook does when it starts.
    void Start();

    // The captions of the controls on the window's "Quorvel" bar, as stored.
    std::vector<std::string> QuorvelButtons(const automation::Object& window);
    int BarsNamedQuorvel(const automation::Object& window);
    automation::Object QuorvelControl(const automation::Object& window, const std::string& caption);
    std::vector<std::string> Log() { return session.logLines(); }
    bool Logged(const std::string& message);
    int CountLogged(const std::string& message);
    // Lines whatever their message that begin with the label, such as "ShowForm:".
    int CountLoggedUnder(const std::string& label);

    Session session;
    sim::Outlook& outlook = session.outlook();
};
