#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "display_text.h"
#include "script.h"
#include "session.h"
#include "tokens.h"

using Words = std::vector<std::string>;

TEST(Tokenize, QuotesKeepBlanksAndDoubledQuotes) {
    EXPECT_EQ(Tokenize("  explorer 1 click \"Group Schedule...\" "), (Words{"explorer", "1", "click", "Group Schedule..."}));
    EXPECT_EQ(Tokenize("outlook fail X.Y \"say \"\"no\"\"\" 2"), (Words{"outlook", "fail", "X.Y", "say \"no\"", "2"}));
    EXPECT_EQ(Tokenize("calendar add \"\""), (Words{"calendar", "add", ""}));
    EXPECT_TRUE(Tokenize("# a comment \"unclosed").empty());
    EXPECT_TRUE(Tokenize("\t\r").empty());
    EXPECT_THROW(Tokenize("window \"PeopleResourcesForm"), std::invalid_argument);
}

TEST(DisplayText, AmpersandsShowAsTheUserSeesThem) {
    EXPECT_EQ(DisplayText("People && Resources"), "People & Resources");
    EXPECT_EQ(DisplayText("&System Info..."), "System Info...");
    EXPECT_EQ(DisplayText("trailing &"), "trailing ");
}

TEST(Script, ABadLineIsReportedAndTheNextStillRuns) {
    Session session;
    std::ostringstream out;
    Script script(session, out);
    std::istringstream lines("explorer 9 close\nexplorer open inbox\nexplorer 1 frobnicate\nshow\n");
    EXPECT_EQ(script.RunAll(lines, true), 2);
    EXPECT_NE(out.str().find("Explorer 1: Inbox"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("unknown explorer action: frobnicate"), std::string::npos) << out.str();
}
