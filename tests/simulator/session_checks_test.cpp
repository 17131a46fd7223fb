#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "script.h"
#include "session.h"
#include "session_checks.h"

namespace {

std::vector<std::string> ProblemsAfter(const std::vector<std::string>& lines) {
    Session session;
    std::ostringstream out;
    Script script(session, out);
    SessionChecks checks(session);
    for (const std::string& line : lines) {
        EXPECT_TRUE(script.Run(line)) << line << "\n" << out.str();
        checks.AfterLine();
    }
    return checks.AtEnd();
}

}  // namespace

TEST(SessionChecks, ASoundSessionHolds) {
    EXPECT_TRUE(ProblemsAfter({"calendar add \"Quorvel_Settings1_\" required \"Anna Berg\"", "explorer open calendar",
                               "addin connect", "addin startup", "appointment new"})
                    .empty());
    EXPECT_TRUE(ProblemsAfter({"explorer open calendar", "addin connect", "outlook quit fast"}).empty());
}

TEST(SessionChecks, EachBreachIsNamed) {
    std::vector<std::string> problems =
        ProblemsAfter({"calendar add \"Quorvel_Settings1_\"", "calendar add \"Quorvel_Settings1_\"",
                       "calendar add \"Quorvel Temporary Draft\"", "explorer open calendar", "addin connect"});
    EXPECT_EQ(problems, (std::vector<std::string>{"2 settings items", "a temporary draft is left"}));
}

TEST(SessionChecks, AScheduleAFailureLeftOutOfStepIsInStepAfterTheNextClose) {
    EXPECT_TRUE(ProblemsAfter({"outlook security-wrapper installed",
                               "calendar add \"Quorvel_Settings1_\" required \"Anna Berg\" resource \"Room Fjord\"",
                               "explorer open calendar", "addin connect", "addin startup",
                               "explorer 1 click \"Settings\"", "inspector 1 add required \"Nils Nord\"",
                               "outlook fail Recipient.Resolve \"The address book is offline.\" 1",
                               "inspector 1 close save"})
                    .empty());
}
