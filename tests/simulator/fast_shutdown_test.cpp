#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "script.h"
#include "session.h"

namespace {

// Outlook 2010 with a main window and an appointment window: toolbars and event connections.
void PlayUpToQuit(Script& script) {
    for (const char* line : {"outlook version 14.0.0.7012", "outlook security-wrapper installed",
                             "calendar add \"Quorvel_Settings1_\" required \"Anna Berg\"", "explorer open calendar",
                             "addin connect", "addin startup", "appointment new", "inspector 1 activate"})
        ASSERT_TRUE(script.Run(line)) << line;
}

bool HasAddinToolbar(Session& session) {
    sim::OwnCallScope looking = session.outlook().asSimulator();
    automation::Object bars = session.outlook().explorer(1).get("CommandBars").toObject();
    int16_t count = bars.get("Count").toInt16();
    for (int16_t index = 1; index <= count; ++index)
        if (!bars.call("Item", {index}).toObject().get("BuiltIn").toBool()) return true;
    return false;
}

// A session played up to the moment Outlook quits.
class FastShutdown : public ::testing::Test {
protected:
    void SetUp() override { PlayUpToQuit(script); }

    Session session;
    std::ostringstream out;
    Script script{session, out};
};

}  // namespace

TEST_F(FastShutdown, QuitEndsTheSessionWithoutAWordToTheAddin) {
    ASSERT_TRUE(script.Run("outlook quit fast"));
    EXPECT_TRUE(session.ended());
    // No OnBeginShutdown and no release: the add-in's toolbar and references are still there.
    EXPECT_TRUE(HasAddinToolbar(session));
    EXPECT_GT(session.outlook().addinReferences(), 0);
    EXPECT_TRUE(session.outlook().callsAfterEnd().empty());
    out.str("");
    ASSERT_TRUE(script.Run("show references"));
    EXPECT_NE(out.str().find("calls into Outlook after Quit: 0"), std::string::npos) << out.str();
    EXPECT_FALSE(script.Run("explorer 1 close"));
    EXPECT_TRUE(session.outlook().callsAfterEnd().empty());
}

TEST(FastShutdownRecord, ACallThatStillArrivesIsRecorded) {
    sim::Outlook outlook;
    automation::Object application = outlook.application();
    outlook.endWithoutNotice();
    application.get("Name");
    application = automation::Object();
    const std::vector<std::string>& late = outlook.callsAfterEnd();
    EXPECT_NE(std::find(late.begin(), late.end(), "Application.Name"), late.end());
    ASSERT_FALSE(late.empty());
    EXPECT_EQ(late.back(), "Application.Release");
}

// Outlook 2010 and later may still release the add-in while they tear themselves down: the
// add-in then lets go of what it holds and calls nothing, neither a member nor an Unadvise.
TEST_F(FastShutdown, AReleaseAfterQuitOnlyReleases) {
    ASSERT_TRUE(script.Run("inspector 1 click \"People && Resources\""));
    ASSERT_TRUE(script.Run("outlook quit fast"));
    ASSERT_TRUE(script.Run("addin release")) << out.str();
    EXPECT_FALSE(session.connected());
    std::vector<std::string> calls = session.outlook().callsAfterEnd();
    const auto releases = [](const std::string& call) { return call.size() > 8 && call.rfind(".Release") == call.size() - 8; };
    EXPECT_GT(std::count_if(calls.begin(), calls.end(), releases), 0);
    calls.erase(std::remove_if(calls.begin(), calls.end(), releases), calls.end());
    EXPECT_EQ(calls, std::vector<std::string>{});
    EXPECT_EQ(session.outlook().addinReferences(), 0) << out.str();
    // The toolbar is Outlook's to drop with its window: deleting it would have been a call.
    EXPECT_TRUE(HasAddinToolbar(session));
}

// The clean path still tidies up through Outlook, and a later session in the same process
// calls into its Outlook as usual.
TEST_F(FastShutdown, ANotifiedShutdownStillRemovesTheToolbar) {
    ASSERT_TRUE(script.Run("addin shutdown"));
    EXPECT_FALSE(HasAddinToolbar(session));
    EXPECT_EQ(session.outlook().addinReferences(), 0);
    ASSERT_TRUE(script.Run("addin connect"));
    ASSERT_TRUE(script.Run("addin startup"));
    EXPECT_TRUE(HasAddinToolbar(session));
}
