#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "script.h"
#include "session.h"

namespace {

struct Mistake {
    std::vector<std::string> before;  // lines that set the scene, each of which must run
    std::string line;
    std::string answer;  // a part of the answer
};

const std::vector<Mistake> Mistakes = {
    // As a newcomer first tried them.
    {{"explorer open inbox"}, "explorer 5 close", "no explorer 5: 1 explorer is open"},
    {{}, "inspector 1 send", "no inspector is open"},
    {{}, "show item 7", "no inspector is open"},
    {{}, "show item", "`show item` needs an inspector number: show item N"},
    {{}, "outlook fail Nope.Member \"x\"", "the simulated Outlook has no Nope.Member; nearest: "},
    {{}, "outlook fail Recipient.Nam \"x\"", "nearest: Recipient.Name"},
    // One wrong form of every command.
    {{}, "outlook", "`outlook` needs a setting or an event"},
    {{}, "outlook frobnicate now", "unknown outlook setting or event: frobnicate"},
    {{}, "outlook version", "`outlook version` needs a version: outlook version VERSION"},
    {{}, "outlook user", "`outlook user` needs a name: outlook user \"NAME\""},
    {{}, "outlook security-wrapper maybe", "outlook security-wrapper installed|removed|refusing"},
    {{}, "outlook access denied now", "too many words after `outlook access denied`: outlook access denied|allowed"},
    {{}, "outlook fail Recipient.Name", "needs a description: outlook fail Class.Member \"description\" [N]"},
    {{}, "outlook fail Recipient.Name \"x\" second", "not a number: second"},
    {{}, "outlook fail Recipient.Name \"x\" 0", "N counts the member's calls from 1"},
    {{}, "outlook members all", "outlook members"},
    {{}, "outlook faults", "outlook faults clear"},
    {{}, "outlook template gone", "outlook template missing|present"},
    {{}, "outlook answer maybe", "outlook answer ok|cancel"},
    {{}, "outlook unresolvable", "outlook unresolvable \"NAME\""},
    {{}, "outlook remove-control seven", "not a number: seven"},
    {{}, "outlook startup now", "outlook startup"},
    {{}, "outlook quit slowly", "outlook quit [fast]"},
    {{}, "outlook newmail", "outlook newmail \"Subject\""},
    {{}, "addin", "addin connect [after-startup]|startup|shutdown|disconnect|release"},
    {{}, "addin startup", "the add-in is not connected"},
    {{"addin connect"}, "addin connect", "the add-in is connected already"},
    {{}, "ribbon ui", "ribbon ui \"RIBBON-ID\""},
    {{"addin connect"}, "ribbon load now", "ribbon load"},
    {{"addin connect"}, "ribbon click Nothing", "ribbon click InviteButton|OrderButton"},
    {{}, "explorer open", "`explorer open` needs a folder: explorer open FOLDER"},
    {{}, "explorer open attic", "unknown folder: attic (calendar, inbox, deleted, sent)"},
    {{"explorer open inbox"}, "explorer 1 folder", "explorer N folder FOLDER"},
    {{"explorer open inbox"}, "explorer 1 select now", "explorer N select"},
    {{"explorer open inbox"}, "explorer 1 activate now", "explorer N activate"},
    {{"explorer open inbox"}, "explorer 1 close now", "explorer N close"},
    {{"explorer open inbox"}, "explorer 1 click", "explorer N click \"CAPTION\""},
    {{"explorer open inbox"}, "explorer 1 click \"Nope\"", "no such button: Nope"},
    {{"explorer open inbox"}, "explorer first close", "not a number: first"},
    {{"explorer open inbox"}, "explorer 1 frobnicate", "unknown explorer action: frobnicate"},
    {{}, "explorer 1 close", "no explorer is open"},
    {{}, "appointment old", "appointment new"},
    {{}, "mail new", "mail new \"Subject\""},
    {{}, "calendar add", "calendar add \"Subject\" [TYPE \"Name\"]..."},
    {{}, "calendar add \"Talk\" required", "needs a name after it"},
    {{}, "calendar add \"Talk\" chair \"Anna\"", "unknown recipient type: chair (required, optional, resource)"},
    {{"appointment new"}, "inspector 1 add required", "inspector N add TYPE \"Name\""},
    {{"appointment new"}, "inspector 1 click", "inspector N click \"CAPTION\""},
    {{"appointment new"}, "inspector 1 send now", "inspector N send"},
    {{"appointment new"}, "inspector 1 close later", "inspector N close [save]"},
    {{"appointment new"}, "inspector 1 activate now", "inspector N activate"},
    {{"appointment new"}, "inspector 2 activate", "no inspector 2: 1 inspector is open"},
    {{"appointment new"}, "inspector 1 fly", "unknown inspector action: fly"},
    {{}, "inspector new window", "inspector new"},
    {{"inspector new"}, "show item 1", "that inspector shows no item"},
    {{"inspector new"}, "inspector 1 add required \"Anna\"", "that inspector shows no item"},
    {{"addin connect"}, "window MainForm click", "window NAME click CONTROL"},
    {{"addin connect"}, "window MainForm tick ErrorList", "window NAME tick LIST \"Entry\""},
    {{"addin connect"}, "window MainForm close now", "window NAME close"},
    {{}, "window Nowhere close", "no window Nowhere is loaded"},
    {{}, "show log now", "show log"},
    {{}, "show window", "show window NAME"},
    {{}, "show window Nowhere", "no window Nowhere is loaded"},
    {{}, "show attic", "nothing to show called attic"},
    {{}, "frobnicate", "unknown command: frobnicate"},
    {{}, "window \"PeopleResourcesForm", "a quote is not closed"},
    {{"outlook quit fast"}, "explorer open inbox", "Outlook has ended"},
};

std::string Played(const Mistake& mistake, bool& refused) {
    Session session;
    std::ostringstream out;
    Script script(session, out);
    for (const std::string& line : mistake.before) EXPECT_TRUE(script.Run(line)) << line << "\n" << out.str();
    out.str("");
    refused = !script.Run(mistake.line);
    return out.str();
}

std::string Documentation() {
    std::ifstream in(QUORVEL_SOURCE_FOLDER "/docs/simulator.md");
    std::ostringstream text;
    text << in.rdbuf();
    // Table cells escape the bar that separates choices.
    return std::regex_replace(text.str(), std::regex("\\\\\\|"), "|");
}

}  // namespace

TEST(ScriptMistakes, EachIsRefusedInTheSimulatorsOwnWords) {
    const std::regex library("std::|vector::|__n|what\\(\\)");
    for (const Mistake& mistake : Mistakes) {
        bool refused = false;
        std::string answer = Played(mistake, refused);
        EXPECT_TRUE(refused) << mistake.line;
        EXPECT_NE(answer.find("  ! "), std::string::npos) << mistake.line;
        EXPECT_NE(answer.find(mistake.answer), std::string::npos) << mistake.line << "\n" << answer;
        EXPECT_FALSE(std::regex_search(answer, library)) << mistake.line << "\n" << answer;
        EXPECT_EQ(answer.find(Script::InternalFault), std::string::npos) << mistake.line;
    }
}

TEST(ScriptMistakes, AnswersGiveTheFormsTheDocumentationGives) {
    std::string documentation = Documentation();
    ASSERT_FALSE(documentation.empty());
    // A form is what follows the last ": " of an answer that ends with one.
    const std::regex form(": ([a-z]+ [^:]*)\n$");
    int checked = 0;
    for (const Mistake& mistake : Mistakes) {
        bool refused = false;
        std::string answer = Played(mistake, refused);
        std::smatch found;
        if (answer.find("needs") == std::string::npos && answer.find("too many") == std::string::npos &&
            answer.find("choices") == std::string::npos)
            continue;
        ASSERT_TRUE(std::regex_search(answer, found, form)) << answer;
        std::string text = found[1];
        if (text.find(" ...") != std::string::npos) continue;
        ++checked;
        EXPECT_NE(documentation.find("`" + text + "`"), std::string::npos) << "docs/simulator.md lacks `" << text << "`";
    }
    EXPECT_GT(checked, 30);
}
