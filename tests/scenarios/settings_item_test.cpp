#include "directory_fixture.h"

#include "host/globals.h"

using automation::Object;

namespace {
using Strings = std::vector<std::string>;
const Entries Directory{{"Anna Berg", Required}, {"Carl Dahl", Required}, {"Eva Ek", Optional}, {"Room Fjord", Resource}};
}  // namespace

TEST_F(DirectoryTest, TheDirectoryIsLoadedAtConnectionInRecipientOrder) {
    AddSettingsItem(Directory);
    Start();
    EXPECT_EQ(ListTexts("PeopleList"), (Strings{"Anna Berg", "Carl Dahl", "Eva Ek"}));
    EXPECT_EQ(ListTexts("ResourcesList"), Strings{"Room Fjord"});
    EXPECT_EQ(OrganizerName, "Erik Lund");
    EXPECT_FALSE(Dialog().isVisible());
}

TEST_F(DirectoryTest, NoSettingsItemLoadsNothingAndSaysNothing) {
    OrganizerName.clear();
    Start();
    EXPECT_EQ(session.window("PeopleResourcesForm"), nullptr);
    EXPECT_TRUE(OrganizerName.empty());
    EXPECT_TRUE(outlook.alerts().empty());
    EXPECT_EQ(CountLoggedUnder("GlobalInitSettings:"), 0);
}

TEST_F(DirectoryTest, RefusedAccessAtConnectionShowsTheSecurityNoticeOnce) {
    AddSettingsItem(Directory);
    outlook.denyAccess(true);
    Start();
    ASSERT_EQ(outlook.alerts().size(), 1u);
    EXPECT_EQ(outlook.alerts()[0].title, "Outlook Security Info");
    EXPECT_TRUE(Logged("GlobalInitSettings:Operation aborted"));
    EXPECT_EQ(session.window("PeopleResourcesForm"), nullptr);
}

TEST_F(DirectoryTest, TheFirstOfTwoSettingsItemsIsUsed) {
    AddSettingsItem({{"First", Required}});
    AddSettingsItem({{"Second", Required}});
    Start();
    EXPECT_EQ(ListTexts("PeopleList"), Strings{"First"});
}

TEST_F(DirectoryTest, SettingsCreatesTheItemFromTheTemplateAndClosingSavesAndLoadsIt) {
    outlook.installSecurityWrapper(true);
    outlook.openExplorer(sim::FolderKind::Inbox);
    Start();
    ASSERT_TRUE(outlook.clickButton(outlook.explorer(1), "Settings"));
    ASSERT_EQ(outlook.inspectorCount(), 1);
    Object inspector = outlook.inspector(1);
    Object item = inspector.get("CurrentItem").toObject();
    EXPECT_EQ(item.get("Subject").toString(), "Quorvel_Settings1_");
    EXPECT_EQ(item.get("Start").toDate().serial, 72686);
    EXPECT_FALSE(item.get("ReminderSet").toBool());
    EXPECT_EQ(item.get("MeetingStatus").toInt16(), 0);
    EXPECT_FALSE(outlook.isSaved(item));
    EXPECT_EQ(BarsNamedQuorvel(inspector), 0) << "the settings window gets no toolbar";
    for (const auto& [name, type] : Directory)
        item.get("Recipients").toObject().call("Add", {name}).toObject().put("Type", type);
    EXPECT_TRUE(outlook.closeInspector(inspector));
    EXPECT_TRUE(outlook.isSaved(item));
    EXPECT_EQ(outlook.findItems(sim::FolderKind::Calendar, "Quorvel_Settings1_").size(), 1u);
    EXPECT_EQ(ListTexts("PeopleList"), (Strings{"Anna Berg", "Carl Dahl", "Eva Ek"}));
    EXPECT_EQ(ListTexts("ResourcesList"), Strings{"Room Fjord"});
    EXPECT_EQ(outlook.hiddenItems().size(), 3u);
    EXPECT_TRUE(Logged("SettingsItem_Close"));
}

TEST_F(DirectoryTest, ClosingWithoutTheWrapperLogsOneScheduleLineAndWritesNoSchedule) {
    AddSettingsItem(Directory);
    outlook.openExplorer(sim::FolderKind::Calendar);
    Start();
    outlook.clickButton(outlook.explorer(1), "Settings");
    outlook.closeInspector(outlook.inspector(1));
    EXPECT_TRUE(outlook.hiddenItems().empty());
    EXPECT_EQ(CountLogged("UpdateGroupSchedule:ActiveX component can't create object"), 1);
    EXPECT_EQ(ListTexts("PeopleList").size(), 3u);
}

TEST_F(DirectoryTest, SendingTheSettingsItemSavesAndClosesItInstead) {
    outlook.openExplorer(sim::FolderKind::Calendar);
    Start();
    outlook.clickButton(outlook.explorer(1), "Settings");
    Object item = outlook.inspector(1).get("CurrentItem").toObject();
    EXPECT_FALSE(outlook.sendFromInspector(outlook.inspector(1)));
    EXPECT_EQ(outlook.inspectorCount(), 0);
    EXPECT_TRUE(outlook.isSaved(item));
    std::vector<std::string> lines = Log();
    auto cancelled = std::find(lines.begin(), lines.end(), "09:00:00: SettingsItem_Send: Cancelled");
    ASSERT_NE(cancelled, lines.end());
    EXPECT_NE(std::find(cancelled, lines.end(), "09:00:00: SettingsItem_Close"), lines.end());
    EXPECT_TRUE(outlook.subjects(sim::FolderKind::SentItems).empty());
    EXPECT_TRUE(outlook.alerts().empty()) << "the item's own handler left the send to the application's guard";
}

TEST_F(DirectoryTest, AMissingTemplateOpensNoWindowAndLogsEachStep) {
    session.setTemplatePresent(false);
    outlook.openExplorer(sim::FolderKind::Calendar);
    Start();
    outlook.clickButton(outlook.explorer(1), "Settings");
    EXPECT_EQ(outlook.inspectorCount(), 0);
    EXPECT_EQ(CountLoggedUnder("SettingsButton_Click:"), 5) << "creation, Start, ReminderSet, MeetingStatus and Display";
}

TEST_F(DirectoryTest, UnreadableRecipientsAtCloseEmptyTheListsButTheRestRuns) {
    outlook.installSecurityWrapper(true);
    AddSettingsItem(Directory);
    outlook.openExplorer(sim::FolderKind::Calendar);
    Start();
    outlook.clickButton(outlook.explorer(1), "Settings");
    outlook.setSecurityWrapperRefusesRecipients(true);
    outlook.closeInspector(outlook.inspector(1));
    EXPECT_TRUE(ListTexts("PeopleList").empty());
    EXPECT_TRUE(ListTexts("ResourcesList").empty());
    EXPECT_EQ(outlook.hiddenItems().size(), 3u) << "the schedules are still rewritten";
}

TEST_F(DirectoryTest, AFailingSaveAtCloseIsLoggedAndTheDirectoryStillReloads) {
    AddSettingsItem(Directory);
    outlook.openExplorer(sim::FolderKind::Calendar);
    Start();
    outlook.clickButton(outlook.explorer(1), "Settings");
    outlook.inspector(1).get("CurrentItem").toObject().get("Recipients").toObject().call("Add", {"Nils Nord"});
    outlook.failMember("AppointmentItem.Save", "store is full", 1);
    outlook.closeInspector(outlook.inspector(1));
    EXPECT_TRUE(Logged("SettingsItem_Close:store is full"));
    EXPECT_EQ(ListTexts("PeopleList"), (Strings{"Anna Berg", "Carl Dahl", "Eva Ek", "Nils Nord"}))
        << "the directory was not read again after the failed save";
}

TEST_F(DirectoryTest, AFailingSearchForTheSettingsItemCreatesNoSecondOne) {
    AddSettingsItem(Directory);
    outlook.openExplorer(sim::FolderKind::Calendar);
    Start();
    for (const char* member : {"NameSpace.GetDefaultFolder", "MAPIFolder.Items", "Items.Find"}) {
        outlook.failMember(member, "server busy", 1);
        outlook.clickButton(outlook.explorer(1), "Settings");
        outlook.clearFaults();
        EXPECT_TRUE(Logged("SettingsButton_Click:server busy")) << member;
        EXPECT_EQ(outlook.inspectorCount(), 0) << member << ": an empty settings item was opened";
        EXPECT_EQ(ListTexts("PeopleList"), (Strings{"Anna Berg", "Carl Dahl", "Eva Ek"})) << member;
    }
    EXPECT_EQ(outlook.findItems(sim::FolderKind::Calendar, "Quorvel_Settings1_").size(), 1u);
}
