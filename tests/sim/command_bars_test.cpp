#include <gtest/gtest.h>

#include "automation/error.h"
#include "automation/object.h"
#include "event_log.h"
#include "outlook.h"

using automation::Error;
using automation::EventSet;
using automation::Missing;
using automation::Object;
using automation::Value;

namespace {

class SimCommandBars : public ::testing::Test {
protected:
    SimCommandBars() {
        explorer = outlook.openExplorer(sim::FolderKind::Inbox);
        bars = explorer.get("CommandBars").toObject();
    }

    Object findControl(int32_t id) {
        return bars.call("FindControl", {Missing{}, id, Missing{}, Missing{}}).toObject();
    }

    sim::Outlook outlook;
    Object explorer;
    Object bars;
};

}  // namespace

TEST_F(SimCommandBars, BuiltInCommandsRunThroughExecute) {
    sim_test::EventLog log;
    log.listen(explorer, EventSet::Explorer, "Explorer");
    findControl(7262).call("Execute");
    EXPECT_EQ(explorer.get("CurrentFolder").toObject().get("DefaultItemType").toInt32(), 1);
    EXPECT_EQ(log.entries, std::vector<std::string>{"Explorer.FolderSwitch"});
    findControl(7002).call("Execute");
    EXPECT_EQ(outlook.groupScheduleShows(explorer), 1);
    EXPECT_TRUE(findControl(4242).isNothing());
}

TEST_F(SimCommandBars, RemovedControlIsMissingInOpenAndLaterWindows) {
    outlook.removeControl(7002);
    EXPECT_TRUE(findControl(7002).isNothing());
    Object later = outlook.openExplorer(sim::FolderKind::Calendar);
    Object laterBars = later.get("CommandBars").toObject();
    EXPECT_TRUE(laterBars.call("FindControl", {Missing{}, int32_t{7002}}).toObject().isNothing());
    EXPECT_FALSE(findControl(7262).isNothing());
}

TEST_F(SimCommandBars, AddFindAndDeleteACustomBar) {
    EXPECT_THROW(bars.get("Item", {"Quorvel"}), Error);
    Object bar = bars.call("Add", {"Quorvel", int16_t{1}, false, true}).toObject();
    EXPECT_THROW(bars.call("Add", {"Quorvel", int16_t{1}, false, true}), Error);
    EXPECT_TRUE(bars.get("Item", {"Quorvel"}).toObject().is(bar));
    EXPECT_THROW(bars.get("Item", {"quorvel"}), Error);
    Object controls = bar.get("Controls").toObject();
    Object button = controls.call("Add", {int16_t{1}}).toObject();
    button.put("Caption", "People && Resources");
    EXPECT_TRUE(controls.get("Item", {"People && Resources"}).toObject().is(button));
    EXPECT_THROW(controls.get("Item", {"People & Resources"}), Error);
    button.call("Delete");
    EXPECT_EQ(controls.get("Count").toInt32(), 0);
    bar.call("Delete");
    EXPECT_THROW(bars.get("Item", {"Quorvel"}), Error);
    EXPECT_THROW(bars.get("Item", {"Menu Bar"}).toObject().call("Delete"), Error);
}

TEST_F(SimCommandBars, UserClickReachesTheButtonSinksAndCancelDefaultStopsTheCommand) {
    Object calendarButton = findControl(7262);
    sim_test::EventLog log;
    Object clicked;
    log.listen(calendarButton, EventSet::CommandBarButton, "Button",
               [&](std::string_view, automation::EventArgs& args) {
                   clicked = args[0].toObject();
                   args[1] = Value(true);
               });
    EXPECT_TRUE(outlook.clickButton(explorer, "Calendar"));
    EXPECT_EQ(log.entries, std::vector<std::string>{"Button.Click"});
    EXPECT_TRUE(clicked.is(calendarButton));
    EXPECT_EQ(explorer.get("CurrentFolder").toObject().get("Name").toString(), "Inbox");
    calendarButton.put("Visible", false);
    EXPECT_FALSE(outlook.clickButton(explorer, "Calendar"));
    EXPECT_FALSE(outlook.clickButton(explorer, "No such button"));
}

TEST_F(SimCommandBars, InspectorsHaveTheirOwnBarsWithoutExplorerCommands) {
    Object inspector = outlook.openEmptyInspector();
    Object inspectorBars = inspector.get("CommandBars").toObject();
    EXPECT_FALSE(inspectorBars.is(bars));
    EXPECT_TRUE(inspectorBars.call("FindControl", {Missing{}, int32_t{7262}}).toObject().isNothing());
    EXPECT_THROW(inspector.get("CurrentItem"), Error);
}

// As Office does: a click reaches every button sharing the clicked one's Tag, or with no Tag, its
// Id and caption; Ctrl is the clicked button, and the command runs once.
TEST_F(SimCommandBars, AClickReachesEveryButtonOfTheSameTagOrElseOfTheSameIdAndCaption) {
    Object other = outlook.openExplorer(sim::FolderKind::Calendar);
    const auto addButton = [](const Object& window, const std::string& tag) {
        Object bars = window.get("CommandBars").toObject();
        Object bar = bars.call("Add", {"Custom", int16_t{1}, false, true}).toObject();
        Object button = bar.get("Controls").toObject().call("Add", {int16_t{1}}).toObject();
        button.put("Caption", "Book");
        button.put("Tag", tag);
        return button;
    };
    Object mine = addButton(explorer, "one");
    Object theirs = addButton(other, "two");
    sim_test::EventLog log;
    std::vector<Object> ctrls;
    const auto record = [&](std::string_view, automation::EventArgs& args) {
        ctrls.push_back(args[0].toObject());
    };
    log.listen(mine, EventSet::CommandBarButton, "Mine", record);
    log.listen(theirs, EventSet::CommandBarButton, "Theirs", record);
    ASSERT_TRUE(outlook.clickButton(explorer, "Book"));
    EXPECT_EQ(log.entries, std::vector<std::string>{"Mine.Click"});

    theirs.put("Tag", "one");
    log.entries.clear();
    ctrls.clear();
    ASSERT_TRUE(outlook.clickButton(other, "Book"));
    EXPECT_EQ(log.entries, (std::vector<std::string>{"Mine.Click", "Theirs.Click"}));
    ASSERT_EQ(ctrls.size(), 2u);
    EXPECT_TRUE(ctrls[0].is(theirs) && ctrls[1].is(theirs)) << "Ctrl is the button clicked";

    mine.put("Tag", "");
    theirs.put("Tag", "");
    log.entries.clear();
    ASSERT_TRUE(outlook.clickButton(explorer, "Book"));
    EXPECT_EQ(log.entries, (std::vector<std::string>{"Mine.Click", "Theirs.Click"}));
    theirs.put("Caption", "Book now");
    log.entries.clear();
    ASSERT_TRUE(outlook.clickButton(explorer, "Book"));
    EXPECT_EQ(log.entries, std::vector<std::string>{"Mine.Click"});
}
