#include "directory_fixture.h"

using automation::Object;

namespace {
const std::string Prefix = "{B911D251-1842-4720-A131-F164B6C99078} - ";
const Entries Directory{{"Anna Berg", Required}, {"Eva Ek", Optional}, {"Carl Dahl", Required}, {"Room Fjord", Resource}};

std::vector<std::string> Members(sim::Outlook& outlook, const Object& schedule) {
    std::vector<std::string> names;
    for (const sim::RecipientInfo& member : outlook.recipients(schedule)) names.push_back(member.name);
    return names;
}
}  // namespace

class GroupScheduleTest : public DirectoryTest {
protected:
    void SetUp() override {
        outlook.installSecurityWrapper(true);
        outlook.openExplorer(sim::FolderKind::Calendar);
    }
    void EditSettings() {
        outlook.clickButton(outlook.explorer(1), "Settings");
        outlook.closeInspector(outlook.inspector(1));
    }
};

TEST_F(GroupScheduleTest, ClosingTheSettingsWritesTheThreeSchedulesInDirectoryOrder) {
    AddSettingsItem(Directory);
    Start();
    EditSettings();
    std::vector<Object> schedules = outlook.hiddenItems();
    ASSERT_EQ(schedules.size(), 3u);
    EXPECT_EQ(schedules[0].get("Subject").toString(), Prefix + "Quorvel All");
    EXPECT_EQ(schedules[1].get("Subject").toString(), Prefix + "Quorvel People");
    EXPECT_EQ(schedules[2].get("Subject").toString(), Prefix + "Quorvel Resources");
    for (const Object& schedule : schedules) EXPECT_EQ(schedule.get("MessageClass").toString(), "IPM.Appointment");
    using Strings = std::vector<std::string>;
    EXPECT_EQ(Members(outlook, schedules[0]), (Strings{"Anna Berg", "Carl Dahl", "Room Fjord"}));
    EXPECT_EQ(Members(outlook, schedules[1]), (Strings{"Anna Berg", "Carl Dahl"}));
    EXPECT_EQ(Members(outlook, schedules[2]), Strings{"Room Fjord"});
    EXPECT_EQ(outlook.recipients(schedules[2])[0].type, Resource);
    EXPECT_TRUE(outlook.recipients(schedules[0])[0].resolved);
}

TEST_F(GroupScheduleTest, ExistingSchedulesAreEmptiedAndRefilledKeepingTheirSubject) {
    Object settings = AddSettingsItem(Directory);
    Start();
    EditSettings();
    settings.get("Recipients").toObject().call("Remove", {int16_t{1}});
    settings.call("Save");
    EditSettings();
    std::vector<Object> schedules = outlook.hiddenItems();
    ASSERT_EQ(schedules.size(), 3u) << "a schedule was created twice";
    EXPECT_EQ(Members(outlook, schedules[0]), (std::vector<std::string>{"Carl Dahl", "Room Fjord"}));
}

TEST_F(GroupScheduleTest, AnEmptyDirectoryLeavesThreeEmptySchedules) {
    Start();
    EditSettings();
    std::vector<Object> schedules = outlook.hiddenItems();
    ASSERT_EQ(schedules.size(), 3u);
    for (const Object& schedule : schedules) EXPECT_TRUE(outlook.recipients(schedule).empty());
}

TEST_F(GroupScheduleTest, AFailingMemberStepDoesNotTouchAnotherMember) {
    AddSettingsItem(Directory);
    Start();
    outlook.failMember("Recipients.Add", "cannot add", 3);
    EditSettings();
    EXPECT_TRUE(Logged("UpdateGroupSchedule:cannot add"));
    std::vector<Object> schedules = outlook.hiddenItems();
    ASSERT_EQ(schedules.size(), 3u);
    std::vector<sim::RecipientInfo> all = outlook.recipients(schedules[0]);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].name, "Carl Dahl");
    EXPECT_EQ(all[1].type, Required) << "the failed member's type went to the one before";
}

TEST_F(GroupScheduleTest, EmptyingStopsWhenRemovalKeepsFailing) {
    Object settings = AddSettingsItem(Directory);
    Start();
    EditSettings();
    settings.get("Recipients").toObject().call("Remove", {int16_t{1}});
    settings.call("Save");
    outlook.failMember("Recipients.Remove", "cannot remove");
    // Anna Berg's removal from All and People fails; both are rebuilt at the next close, and
    // their emptying stops at its first failing removal.
    EditSettings();
    EXPECT_EQ(CountLogged("UpdateGroupSchedule:cannot remove"), 2);
    EditSettings();
    EXPECT_GE(CountLogged("UpdateGroupSchedule:cannot remove"), 2 + 1);
    EXPECT_LE(CountLogged("UpdateGroupSchedule:cannot remove"), 2 + 3);
}

TEST_F(GroupScheduleTest, TheButtonSwitchesToTheCalendarFirstOnlyWhenNeeded) {
    Start();
    Object explorer = outlook.explorer(1);
    outlook.clickButton(explorer, "Group Schedule...");
    EXPECT_EQ(outlook.groupScheduleShows(explorer), 1);
    EXPECT_FALSE(Logged("Explorer Explorer_FolderSwitch"));
    outlook.switchFolder(explorer, sim::FolderKind::Inbox);
    int switches = CountLogged("Explorer Explorer_FolderSwitch");
    outlook.clickButton(explorer, "Group Schedule...");
    EXPECT_EQ(CountLogged("Explorer Explorer_FolderSwitch"), switches + 1) << "7262 did not run first";
    EXPECT_EQ(explorer.get("CurrentFolder").toObject().get("DefaultItemType").toInt16(), 1);
    EXPECT_EQ(outlook.groupScheduleShows(explorer), 2);
    EXPECT_TRUE(outlook.alerts().empty());
}

TEST_F(GroupScheduleTest, WithoutTheCommandTheUserIsToldOnce) {
    outlook.removeControl(7002);
    Start();
    outlook.clickButton(outlook.explorer(1), "Group Schedule...");
    ASSERT_EQ(outlook.alerts().size(), 1u);
    EXPECT_EQ(outlook.alerts()[0].title, "Group Schedules Error");
    EXPECT_EQ(outlook.alerts()[0].text,
              "Could not open Group Schedules for this folder. Please switch to your calendar first.");
}

TEST_F(GroupScheduleTest, ACommandWhoseExecuteFailsStillCountsAsPresent) {
    Start();
    outlook.failMember("CommandBarButton.Execute", "command unavailable");
    outlook.clickButton(outlook.explorer(1), "Group Schedule...");
    EXPECT_EQ(outlook.groupScheduleShows(outlook.explorer(1)), 0);
    EXPECT_TRUE(outlook.alerts().empty()) << "a control that exists was reported missing";
    EXPECT_EQ(CountLoggedUnder("GroupScheduleButton_Click:"), 0);
}

TEST_F(GroupScheduleTest, AnUnreadableFolderStillSwitchesToTheCalendarFirst) {
    Start();
    Object explorer = outlook.explorer(1);
    outlook.failMember("Explorer.CurrentFolder", "folder unreadable");
    outlook.clickButton(explorer, "Group Schedule...");
    EXPECT_TRUE(Logged("GroupScheduleButton_Click:folder unreadable"));
    EXPECT_EQ(outlook.groupScheduleShows(explorer), 1);
    EXPECT_TRUE(outlook.alerts().empty());
}

TEST_F(GroupScheduleTest, WithoutCommandBarsNoAlertIsShown) {
    Start();
    Object explorer = outlook.explorer(1);
    outlook.failMember("Explorer.CommandBars", "no bars");
    outlook.clickButton(explorer, "Group Schedule...");
    EXPECT_EQ(CountLogged("GroupScheduleButton_Click:no bars"), 1) << "the calendar is shown: only the group schedules step reads the bars";
    EXPECT_TRUE(outlook.alerts().empty());
}

namespace {
std::vector<std::string> Subjects(const std::vector<Object>& items) {
    std::vector<std::string> subjects;
    for (const Object& item : items) subjects.push_back(item.get("Subject").toString());
    return subjects;
}
}  // namespace

TEST_F(GroupScheduleTest, AFailingLookUpSkipsThatScheduleInsteadOfAddingASecond) {
    AddSettingsItem(Directory);
    Start();
    EditSettings();
    outlook.failMember("HiddenItems.Item", "server busy", 2);
    EditSettings();
    EXPECT_TRUE(Logged("UpdateGroupSchedule:server busy"));
    EXPECT_EQ(Subjects(outlook.hiddenItems()),
              (std::vector<std::string>{Prefix + "Quorvel All", Prefix + "Quorvel People", Prefix + "Quorvel Resources"}));
}

TEST_F(GroupScheduleTest, AScheduleWhoseSubjectCannotBeWrittenIsDeletedNotSaved) {
    AddSettingsItem(Directory);
    Start();
    outlook.clickButton(outlook.explorer(1), "Settings");
    outlook.failMember("AppointmentItem.Subject", "subject refused", 1);
    outlook.closeInspector(outlook.inspector(1));
    EXPECT_TRUE(Logged("UpdateGroupSchedule:subject refused"));
    EXPECT_EQ(Subjects(outlook.hiddenItems()),
              (std::vector<std::string>{Prefix + "Quorvel People", Prefix + "Quorvel Resources"}));
    outlook.clearFaults();
    EditSettings();
    EXPECT_EQ(outlook.hiddenItems().size(), 3u) << "the next close makes the missing one";
}

TEST_F(GroupScheduleTest, ADirectoryOf32767EntriesEnds) {
    Entries directory(32767, {"Olle Opt", Optional});
    AddSettingsItem(directory);
    Start();
    EditSettings();
    EXPECT_EQ(outlook.hiddenItems().size(), 3u);
    EXPECT_FALSE(Logged("UpdateGroupSchedule:Overflow"));
}
