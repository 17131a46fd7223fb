#include "addin_test.h"

#include "automation/error.h"
#include "log/error_label.h"
#include "log/log.h"
#include "log/main_form.h"

namespace {

[[noreturn]] void Fail(const char* description) { throw automation::Error(-2147467259, description); }

}  // namespace

TEST_F(AddinTest, TheLogKeepsTheLast25Lines) {
    for (int line = 1; line <= 25; ++line) LogError("line " + std::to_string(line));
    ASSERT_EQ(Log().size(), 25u);
    LogError("line 26");
    std::vector<std::string> lines = Log();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines.front(), "09:00:00: line 2");
    EXPECT_EQ(lines.back(), "09:00:00: line 26");
}

TEST_F(AddinTest, TheFirstLineCreatesTheWindowHiddenAndHidingKeepsLogging) {
    EXPECT_FALSE(MainFormInstance::IsLoaded());
    outlook.platform().setTimeOfDayText("14:05:09");
    LogTrace("");
    ASSERT_TRUE(MainFormInstance::IsLoaded());
    EXPECT_FALSE(MainFormInstance::Get().Visible());
    EXPECT_EQ(Log(), std::vector<std::string>{"14:05:09: "});
    MainFormInstance::Get().Show();
    session.window("MainForm")->button("ButtonHide")->click();
    EXPECT_FALSE(MainFormInstance::Get().Visible());
    LogError("after hiding");
    EXPECT_EQ(Log().size(), 2u);
    MainFormInstance::Unload();
    LogError("fresh");
    EXPECT_EQ(Log().size(), 1u) << "unloading discards the lines";
}

TEST_F(AddinTest, AnErrorLabelLogsTheFailureAndResumesAtTheNextStatement) {
    ErrorLabel on("Procedure:");
    std::vector<int> ran;
    int assigned = 7;
    on.step([&] { ran.push_back(1); });
    on.step([&] {
        Fail("it broke");
        assigned = 0;
    });
    on.step([&] { ran.push_back(3); });
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    EXPECT_EQ(assigned, 7) << "a failed statement has no effect";
    EXPECT_EQ(Log(), std::vector<std::string>{"09:00:00: Procedure:it broke"});
}

TEST_F(AddinTest, FailingTestsEnterTheirBlock) {
    ErrorLabel on("Tests:");
    EXPECT_TRUE(on.test([]() -> bool { Fail("condition"); }));
    EXPECT_FALSE(on.test([] { return false; }));
    EXPECT_EQ(on.bound([]() -> int16_t { Fail("bound"); }), 1) << "a failing loop bound runs the body once";
    EXPECT_EQ(on.bound([] { return int16_t{0}; }), 0);
    EXPECT_EQ(CountLogged("Tests:condition"), 1);
    EXPECT_EQ(CountLogged("Tests:bound"), 1);
}

TEST_F(AddinTest, IgnoredErrorsAreNotLogged) {
    EXPECT_FALSE(IgnoreErrors([] { Fail("quiet"); }));
    EXPECT_TRUE(IgnoreErrors([] {}));
    EXPECT_FALSE(MainFormInstance::IsLoaded());
}
