#include "addin_test.h"

#include "automation/error.h"
#include "dialogs/about_form.h"
#include "dialogs/info_form.h"
#include "dialogs/order_form.h"
#include "directory/people_resources_form.h"
#include "host/globals.h"
#include "log/main_form.h"
#include "session/addin.h"
#include "session/object_store.h"

using automation::Object;

TEST_F(AddinTest, ThreeShutdownNotificationsTearDownOnce) {
    outlook.openExplorer(sim::FolderKind::Inbox);
    Start();
    Object explorer = outlook.explorer(1);
    session.addin().OnBeginShutdown();
    EXPECT_EQ(gAddin, nullptr);
    EXPECT_EQ(gObjectStore, nullptr);
    EXPECT_FALSE(MainFormInstance::IsLoaded());
    EXPECT_EQ(BarsNamedQuorvel(explorer), 0) << "the registry's wrappers kept their toolbars";
    // Outlook still sends the other two; they find nothing to do and raise nothing.
    session.addin().OnDisconnection(AddinHost::DisconnectMode::HostShutdown);
    EXPECT_FALSE(MainFormInstance::IsLoaded()) << "a second shut-down logged or loaded a form";
    explorer.clear();
    session.shutdown();
    EXPECT_EQ(outlook.addinReferences(), 0);
}

TEST_F(AddinTest, ShutdownWithoutConnectionDoesNothing) {
    EXPECT_NO_THROW(GlobalShutdown());
    EXPECT_FALSE(MainFormInstance::IsLoaded());
}

TEST_F(AddinTest, ConnectionFailsForAnObjectThatIsNotOutlook) {
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    EXPECT_THROW(session.connect(explorer), automation::Error);
    EXPECT_EQ(gAddin, nullptr);
    Object later = outlook.openExplorer(sim::FolderKind::Calendar);
    EXPECT_EQ(BarsNamedQuorvel(later), 0);
}

TEST_F(AddinTest, AFailingNamespaceRequestFailsTheConnectionAtThatStep) {
    outlook.failMember("Application.GetNamespace", "MAPI logon failed");
    try {
        session.connect();
        ADD_FAILURE() << "the connection did not fail";
    } catch (const automation::Error& error) {
        EXPECT_EQ(error.description(), "MAPI logon failed");
    }
    ASSERT_NE(gAddin, nullptr);
    EXPECT_TRUE(gAddin->OutlookInstance());
    EXPECT_FALSE(gAddin->Explorers()) << "steps after the failure ran";
    outlook.openExplorer(sim::FolderKind::Inbox);
    EXPECT_TRUE(QuorvelButtons(outlook.explorer(1)).empty());
}

TEST_F(AddinTest, ReconnectingBuildsAFreshSession) {
    outlook.openExplorer(sim::FolderKind::Inbox);
    Start();
    session.shutdown();
    session.connect();
    EXPECT_EQ(BarsNamedQuorvel(outlook.explorer(1)), 0) << "open explorers wait for start-up";
    session.startupComplete();
    EXPECT_EQ(BarsNamedQuorvel(outlook.explorer(1)), 1);
}

TEST_F(AddinTest, AnExplorerReportedBeforeStartupIsWrappedAgain) {
    session.connect();
    outlook.openExplorer(sim::FolderKind::Inbox);
    session.startupComplete();
    EXPECT_EQ(ObjectStore().Occupied(), 2);
    EXPECT_EQ(BarsNamedQuorvel(outlook.explorer(1)), 1);
}

TEST_F(AddinTest, ApplicationEventsAreTracedAndQuitReleasesNothing) {
    Start();
    outlook.fireStartup();
    outlook.fireNewMail("hello");
    outlook.fireQuit();
    EXPECT_TRUE(Logged("Addin OutlookInstance_Startup"));
    EXPECT_TRUE(Logged("Addin OutlookInstance_Quit"));
    EXPECT_NE(gAddin, nullptr);
    EXPECT_TRUE(gAddin->OutlookInstance());
}

TEST_F(AddinTest, EveryOpenWindowsWrapperIsReleasedAtShutdown) {
    outlook.openExplorer(sim::FolderKind::Inbox);
    Start();
    outlook.openExplorer(sim::FolderKind::Calendar);
    Object item = outlook.application().call("CreateItem", {int16_t{1}}).toObject();
    outlook.displayItem(item);
    item.clear();
    session.shutdown();
    EXPECT_EQ(outlook.addinReferences(), 0) << testing::PrintToString(outlook.heldObjects());
}

// Ticked in the COM Add-ins dialog while Outlook runs: Office sends no OnStartupComplete.
TEST_F(AddinTest, ConnectingAfterStartupWrapsTheOpenExplorersOnce) {
    Object inbox = outlook.openExplorer(sim::FolderKind::Inbox);
    Object calendar = outlook.openExplorer(sim::FolderKind::Calendar);
    session.connect(Connect::ConnectMode::AfterStartup);
    EXPECT_EQ(BarsNamedQuorvel(inbox), 1);
    EXPECT_EQ(BarsNamedQuorvel(calendar), 1);
    // A host that sends the notification anyway.
    session.startupComplete();
    EXPECT_EQ(BarsNamedQuorvel(inbox), 1) << "a late OnStartupComplete wrapped the window again";
    EXPECT_EQ(BarsNamedQuorvel(calendar), 1);
}

TEST_F(AddinTest, ConnectingAtStartupLeavesTheWindowsToStartupComplete) {
    Object inbox = outlook.openExplorer(sim::FolderKind::Inbox);
    session.connect(Connect::ConnectMode::Startup);
    EXPECT_EQ(BarsNamedQuorvel(inbox), 0);
    session.startupComplete();
    EXPECT_EQ(BarsNamedQuorvel(inbox), 1);
}

// Unticked in the COM Add-ins dialog, the add-in hears only OnDisconnection: every window it
// opened goes with it, and ticking it again starts afresh.
TEST_F(AddinTest, UntickingUnloadsEveryWindowAndTickingAgainWorks) {
    outlook.openExplorer(sim::FolderKind::Inbox);
    Start();
    Object explorer = outlook.explorer(1);
    for (const char* caption : {"About Quorvel", "Show Info"}) ASSERT_TRUE(outlook.clickButton(explorer, caption));
    Object inspector = outlook.displayItem(outlook.application().call("CreateItem", {int16_t{1}}).toObject());
    for (const char* caption : {"Order Items", "People && Resources"})
        ASSERT_TRUE(outlook.clickButton(inspector, caption));
    MainFormInstance::Get();
    session.disconnect();
    EXPECT_FALSE(MainFormInstance::IsLoaded());
    EXPECT_FALSE(AboutFormInstance::IsLoaded());
    EXPECT_FALSE(InfoFormInstance::IsLoaded());
    EXPECT_FALSE(OrderFormInstance::IsLoaded());
    EXPECT_FALSE(PeopleResourcesFormInstance::IsLoaded());
    EXPECT_EQ(BarsNamedQuorvel(explorer), 0);
    EXPECT_TRUE(session.toolkit().windows().empty());
    session.connect(Connect::ConnectMode::AfterStartup);
    EXPECT_EQ(BarsNamedQuorvel(explorer), 1);
    inspector.clear();
    explorer.clear();
}
