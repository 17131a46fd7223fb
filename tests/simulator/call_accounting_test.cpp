#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "script.h"
#include "session.h"

namespace {

void Play(Script& script, const std::string& lines) {
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) ASSERT_TRUE(script.Run(line)) << line;
}

std::string Scenario(const std::string& name) {
    std::ifstream in(QUORVEL_SOURCE_FOLDER "/tools/simulator/scenarios/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(CallAccounting, TheSimulatorsOwnCallsAreKeptApartAndNeverFail) {
    Session session;
    std::ostringstream out;
    Script script(session, out);
    Play(script, "explorer open inbox\noutlook fail CommandBar.Visible \"x\"\nappointment new\n"
                 "inspector 1 add required \"Anna Berg\"\nshow\nshow item 1");
    const auto& own = session.outlook().ownCalls();
    EXPECT_TRUE(session.outlook().addinCalls().empty());
    EXPECT_GT(own.count("CommandBar.Visible"), 0u);
    EXPECT_EQ(own.at("Recipients.Add"), 1);
    EXPECT_EQ(own.at("Application.CreateItem"), 1);
}

TEST(CallAccounting, TheAddinsCallsAreCountedPerMember) {
    Session session;
    std::ostringstream out;
    Script script(session, out);
    Play(script, "outlook security-wrapper installed\nexplorer open calendar\naddin connect\naddin startup\n"
                 "appointment new\nshow calls");
    const auto& addin = session.outlook().addinCalls();
    EXPECT_GT(addin.count("Explorer.CommandBars"), 0u);
    EXPECT_GT(addin.count("Inspector.CommandBars"), 0u);
    EXPECT_EQ(addin.count("Application.CreateItem"), 0u);
    EXPECT_NE(out.str().find("  The add-in's calls into Outlook:\n    Application."), std::string::npos) << out.str();
}

TEST(CallAccounting, EveryMemberAScenarioReachesCanBeMadeToFail) {
    const std::vector<std::string>& failable = sim::Outlook::failableMembers();
    for (const char* name : {"default.qvs", "dialogs.qvs", "failing-member.qvs", "outlook2000.qvs", "ribbon-booking.qvs",
                             "access-denied.qvs", "missing-template.qvs", "no-security-wrapper.qvs"}) {
        Session session;
        std::ostringstream out;
        Script script(session, out);
        std::istringstream lines(Scenario(name));
        ASSERT_EQ(script.RunAll(lines, false), 0) << name;
        for (const auto* calls : {&session.outlook().addinCalls(), &session.outlook().ownCalls()})
            for (const auto& [member, count] : *calls)
                EXPECT_NE(std::find(failable.begin(), failable.end(), member), failable.end()) << name << ": " << member;
    }
}
