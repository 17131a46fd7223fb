#include "addin_test.h"

#include "automation/error.h"
#include "host/globals.h"
#include "session/object_store.h"

using automation::Object;

namespace {
const std::vector<std::string> ExplorerButtons{"New Meeting", "Group Schedule...", "Show Info", "Settings",
                                               "About Quorvel"};
}

TEST_F(AddinTest, ExplorersOpenAtStartupGetTheToolbarWithFiveButtons) {
    outlook.openExplorer(sim::FolderKind::Inbox);
    outlook.openExplorer(sim::FolderKind::Calendar);
    session.connect();
    EXPECT_TRUE(QuorvelButtons(outlook.explorer(1)).empty()) << "wrapped before start-up completed";
    session.startupComplete();
    for (int index = 1; index <= 2; ++index) {
        Object explorer = outlook.explorer(index);
        EXPECT_EQ(QuorvelButtons(explorer), ExplorerButtons);
        std::vector<bool> groups;
        for (const std::string& caption : ExplorerButtons)
            groups.push_back(QuorvelControl(explorer, caption).get("BeginGroup").toBool());
        EXPECT_EQ(groups, (std::vector<bool>{false, false, false, true, true}));
        Object settings = QuorvelControl(explorer, "Settings");
        EXPECT_EQ(settings.get("TooltipText").toString(), "Quorvel Settings");
        EXPECT_EQ(settings.get("FaceId").toInt16(), 329);
        EXPECT_EQ(settings.get("Style").toInt16(), 3);
        EXPECT_TRUE(QuorvelControl(explorer, "Group Schedule...").get("Visible").toBool());
    }
    EXPECT_TRUE(Logged("Addin Startup"));
}

TEST_F(AddinTest, GroupScheduleButtonIsHiddenUnderOutlook2000Only) {
    for (const char* version : {"9.0.0.2711", "10.0.0.2627"}) {
        outlook.setVersion(version);
        Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
        if (!session.connected()) Start();
        EXPECT_EQ(QuorvelButtons(explorer), ExplorerButtons) << version;
        bool visible = QuorvelControl(explorer, "Group Schedule...").get("Visible").toBool();
        EXPECT_EQ(visible, version[0] != '9') << version;
    }
}

TEST_F(AddinTest, ANewExplorerGetsItsToolbarAtOnceAndFolderSwitchesKeepOneBar) {
    Start();
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    EXPECT_TRUE(Logged("Addin NewExplorer"));
    EXPECT_EQ(QuorvelButtons(explorer), ExplorerButtons);
    QuorvelControl(explorer, "Settings").put("Visible", true);
    for (sim::FolderKind folder : {sim::FolderKind::Calendar, sim::FolderKind::Inbox, sim::FolderKind::Calendar})
        outlook.switchFolder(explorer, folder);
    EXPECT_EQ(BarsNamedQuorvel(explorer), 1);
    EXPECT_EQ(QuorvelButtons(explorer), ExplorerButtons);
    EXPECT_TRUE(Logged("Explorer Explorer_FolderSwitch"));
}

TEST_F(AddinTest, AFolderSwitchShowsTheBarAgain) {
    Start();
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    Object bars = explorer.get("CommandBars").toObject();
    bars.call("Item", {"Quorvel"}).toObject().put("Visible", false);
    bars.call("Item", {"Quorvel"}).toObject().put("Protection", int16_t{0});
    outlook.switchFolder(explorer, sim::FolderKind::Calendar);
    EXPECT_TRUE(bars.call("Item", {"Quorvel"}).toObject().get("Visible").toBool());
    EXPECT_EQ(bars.call("Item", {"Quorvel"}).toObject().get("Protection").toInt16(), 25);
}

TEST_F(AddinTest, AnExistingBarAndButtonsAreReusedUnchanged) {
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    Object bar = explorer.get("CommandBars").toObject().call("Add", {"Quorvel", int16_t{1}, false, true}).toObject();
    Object about = bar.get("Controls").toObject().call("Add", {int16_t{1}}).toObject();
    about.put("Caption", "About Quorvel");
    about.put("TooltipText", "mine");
    bar.clear();
    Start();
    EXPECT_EQ(BarsNamedQuorvel(explorer), 1);
    EXPECT_EQ(QuorvelButtons(explorer),
              (std::vector<std::string>{"About Quorvel", "New Meeting", "Group Schedule...", "Show Info", "Settings"}));
    EXPECT_EQ(about.get("TooltipText").toString(), "mine");
    EXPECT_FALSE(about.get("BeginGroup").toBool());
}

TEST_F(AddinTest, ClosingAnExplorerRemovesItsBarAndItsWrapper) {
    Start();
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    Object bar = explorer.get("CommandBars").toObject().call("Item", {"Quorvel"}).toObject();
    Object button = QuorvelControl(explorer, "Settings");
    ASSERT_EQ(ObjectStore().Occupied(), 1);
    outlook.closeExplorer(explorer);
    EXPECT_THROW(bar.get("Name"), automation::Error) << "the bar was not deleted";
    EXPECT_THROW(button.get("Caption"), automation::Error) << "the button was not deleted";
    EXPECT_TRUE(Logged("Explorer Explorer_Close"));
    EXPECT_EQ(ObjectStore().Occupied(), 0);
}

TEST_F(AddinTest, AFailingButtonIsLoggedAndTheNextFolderSwitchMakesIt) {
    outlook.openExplorer(sim::FolderKind::Inbox);
    outlook.failMember("CommandBarControls.Add", "no room on the bar", 3);
    Start();
    Object explorer = outlook.explorer(1);
    EXPECT_TRUE(Logged("cExplorer:AddCommandBar:no room on the bar"));
    EXPECT_EQ(CountLogged("cExplorer:AddCommandBar:Object variable or With block variable not set"), 6)
        << "each property of the missing button fails on its own";
    EXPECT_EQ(QuorvelButtons(explorer), (std::vector<std::string>{"New Meeting", "Group Schedule...", "Settings",
                                                                  "About Quorvel"}));
    outlook.switchFolder(explorer, sim::FolderKind::Calendar);
    EXPECT_EQ(QuorvelButtons(explorer), (std::vector<std::string>{"New Meeting", "Group Schedule...", "Settings",
                                                                  "About Quorvel", "Show Info"}));
}

TEST_F(AddinTest, AFailingDeletionGoesOnWithTheNextControlAndTheBar) {
    Start();
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    Object bar = explorer.get("CommandBars").toObject().call("Item", {"Quorvel"}).toObject();
    outlook.failMember("CommandBarButton.Delete", "locked", 2);
    outlook.closeExplorer(explorer);
    EXPECT_EQ(CountLogged("cExplorer:RemoveCommandBar:locked"), 1);
    EXPECT_THROW(bar.get("Name"), automation::Error) << "the bar was not deleted";
    EXPECT_EQ(ObjectStore().Occupied(), 0);
}
