#include <gtest/gtest.h>

#include "automation/error.h"
#include "automation/object.h"
#include "event_log.h"
#include "outlook.h"

using automation::EventSet;
using automation::Object;
using automation::Value;
using Entries = std::vector<std::string>;

namespace {

class SimEvents : public ::testing::Test {
protected:
    SimEvents() {
        app = outlook.application();
        log.listen(app, EventSet::Application, "Application");
        log.listen(app.get("Inspectors").toObject(), EventSet::Inspectors, "Inspectors");
        log.listen(app.get("Explorers").toObject(), EventSet::Explorers, "Explorers");
    }

    // Listens to the item and to each inspector as it opens.
    Object newAppointment(const std::string& subject) {
        Object item = app.call("CreateItem", {int16_t{1}}).toObject();
        item.put("Subject", subject);
        log.listen(item, EventSet::Item, "Item");
        return item;
    }

    sim::Outlook outlook;
    Object app;
    sim_test::EventLog log;
};

}  // namespace

TEST_F(SimEvents, DisplayOpensAnInspectorThatBecomesActive) {
    Object item = newAppointment("Plan");
    Object seenInNewInspector;
    log.listen(app.get("Inspectors").toObject(), EventSet::Inspectors, "Check",
               [&](std::string_view, automation::EventArgs& args) {
                   seenInNewInspector = args[0].toObject().get("CurrentItem").toObject();
                   log.listen(args[0].toObject(), EventSet::Inspector, "Inspector");
               });
    item.call("Display");
    EXPECT_EQ(log.entries, (Entries{"Inspectors.NewInspector", "Check.NewInspector", "Inspector.Activate"}));
    EXPECT_TRUE(seenInNewInspector.is(item));
    EXPECT_TRUE(app.get("ActiveInspector").toObject().get("CurrentItem").toObject().is(item));
    // Displaying it again activates the same window.
    item.call("Display");
    EXPECT_EQ(outlook.inspectorCount(), 1);
}

TEST_F(SimEvents, UserCloseRunsItemCloseThenInspectorCloseWhileCounted) {
    Object item = newAppointment("Plan");
    Object inspector = outlook.displayItem(item);
    int countDuringClose = -1;
    log.listen(inspector, EventSet::Inspector, "Inspector", [&](std::string_view event, automation::EventArgs&) {
        if (event == "Close") countDuringClose = app.get("Inspectors").toObject().get("Count").toInt32();
    });
    log.entries.clear();
    EXPECT_TRUE(outlook.closeInspector(inspector));
    EXPECT_EQ(log.entries, (Entries{"Item.Close", "Inspector.Close"}));
    EXPECT_EQ(countDuringClose, 1);
    EXPECT_EQ(outlook.inspectorCount(), 0);
    EXPECT_TRUE(app.get("ActiveInspector").toObject().isNothing());
}

TEST_F(SimEvents, CancelledItemCloseKeepsTheInspectorOpen) {
    Object item = newAppointment("Plan");
    Object inspector = outlook.displayItem(item);
    log.listen(item, EventSet::Item, "Canceller", [](std::string_view event, automation::EventArgs& args) {
        if (event == "Close") args[0] = Value(true);
    });
    EXPECT_FALSE(outlook.closeInspector(inspector));
    EXPECT_EQ(outlook.inspectorCount(), 1);
    // The Close method with olSave cannot be cancelled.
    item.call("Close", {int16_t{0}});
    EXPECT_EQ(outlook.inspectorCount(), 0);
    EXPECT_EQ(outlook.subjects(sim::FolderKind::Calendar), std::vector<std::string>{"Plan"});
}

TEST_F(SimEvents, SendRunsItemSendThenItemSendThenCloses) {
    Object item = newAppointment("Review");
    item.get("Recipients").toObject().call("Add", {"Anna"});
    Object inspector = outlook.displayItem(item);
    log.listen(inspector, EventSet::Inspector, "Inspector");
    log.entries.clear();
    EXPECT_TRUE(outlook.sendFromInspector(inspector));
    EXPECT_EQ(log.entries, (Entries{"Item.Send", "Application.ItemSend", "Item.Close", "Inspector.Close"}));
    EXPECT_EQ(outlook.inspectorCount(), 0);
    EXPECT_EQ(outlook.subjects(sim::FolderKind::Calendar), std::vector<std::string>{"Review"});
    EXPECT_EQ(outlook.subjects(sim::FolderKind::SentItems), std::vector<std::string>{"Review"});
}

TEST_F(SimEvents, ItemSendCancelLeavesTheInspectorOpenAndNothingSent) {
    Object item = newAppointment("Review");
    Object inspector = outlook.displayItem(item);
    Object sentItem;
    log.listen(app, EventSet::Application, "Canceller", [&](std::string_view event, automation::EventArgs& args) {
        if (event != "ItemSend") return;
        sentItem = args[0].toObject();
        args[1] = Value(true);
    });
    EXPECT_FALSE(outlook.sendFromInspector(inspector));
    EXPECT_TRUE(sentItem.is(item));
    EXPECT_EQ(outlook.inspectorCount(), 1);
    EXPECT_TRUE(outlook.subjects(sim::FolderKind::SentItems).empty());
}

TEST_F(SimEvents, ExplorerLifecycleAndFolderSwitches) {
    outlook.addAppointment("Existing");
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    EXPECT_EQ(log.entries, (Entries{"Explorers.NewExplorer"}));
    int countDuringClose = -1;
    log.listen(explorer, EventSet::Explorer, "Explorer", [&](std::string_view event, automation::EventArgs&) {
        if (event == "Close") countDuringClose = app.get("Explorers").toObject().get("Count").toInt32();
    });
    log.entries.clear();
    outlook.switchFolder(explorer, sim::FolderKind::Calendar);
    // An empty folder selects nothing, so it raises no SelectionChange.
    outlook.switchFolder(explorer, sim::FolderKind::Drafts);
    outlook.switchFolder(explorer, sim::FolderKind::Drafts);
    outlook.activate(explorer);
    outlook.closeExplorer(explorer);
    EXPECT_EQ(log.entries, (Entries{"Explorer.FolderSwitch", "Explorer.SelectionChange", "Explorer.FolderSwitch",
                                    "Explorer.Activate", "Explorer.Close"}));
    EXPECT_EQ(countDuringClose, 1);
    EXPECT_EQ(outlook.explorerCount(), 0);
    EXPECT_TRUE(app.get("ActiveExplorer").toObject().isNothing());
}

TEST_F(SimEvents, ASinkDisconnectedDuringAnEventIsNotCalledAgain) {
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    log.listen(explorer, EventSet::Explorer, "First",
               [&](std::string_view, automation::EventArgs&) { log.stopListening(4); });
    log.listen(explorer, EventSet::Explorer, "Second");
    log.entries.clear();
    outlook.activate(explorer);
    EXPECT_EQ(log.entries, (Entries{"First.Activate"}));
    EXPECT_THROW(log.listen(explorer, EventSet::Inspector, "Wrong"), automation::Error);
}
