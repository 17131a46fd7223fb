#include "directory_fixture.h"

#include "automation/error.h"
#include "host/globals.h"
#include "session/object_store.h"

using automation::Object;

TEST_F(DirectoryTest, AppointmentWindowsGetTheToolbarOthersDoNot) {
    Start();
    Object appointment = NewAppointment("Meeting");
    EXPECT_EQ(QuorvelButtons(appointment), (std::vector<std::string>{"People && Resources", "Order Items"}));
    Object invite = QuorvelControl(appointment, "People && Resources");
    EXPECT_TRUE(invite.get("BeginGroup").toBool());
    EXPECT_EQ(invite.get("FaceId").toInt16(), 362);
    EXPECT_EQ(QuorvelControl(appointment, "Order Items").get("FaceId").toInt16(), 855);
    EXPECT_EQ(QuorvelControl(appointment, "Order Items").get("TooltipText").toString(), "Order Items for the Meeting");

    Object mail = outlook.application().call("CreateItem", {int16_t{0}}).toObject();
    EXPECT_EQ(BarsNamedQuorvel(outlook.displayItem(mail)), 0);
    EXPECT_EQ(BarsNamedQuorvel(outlook.displayItem(outlook.addMeetingRequest("Invitation"))), 0);
    EXPECT_EQ(ObjectStore().Occupied(), 2) << "one wrapper and its inspector";
}

TEST_F(DirectoryTest, AWindowAlreadyWrappedIsNotWrappedAgain) {
    Start();
    Object inspector = NewAppointment("Meeting");
    outlook.announceInspectorAgain(inspector);
    EXPECT_EQ(CountLogged("Addin NewInspector"), 2);
    EXPECT_EQ(ObjectStore().Occupied(), 2) << "a second wrapper for the same window";
    EXPECT_TRUE(ObjectStore().Exists(inspector));
    EXPECT_EQ(BarsNamedQuorvel(inspector), 1);
}

TEST_F(DirectoryTest, ClosingTheWindowRemovesItsToolbarAndRegistryEntries) {
    Start();
    Object inspector = NewAppointment("Meeting");
    Object bar = inspector.get("CommandBars").toObject().call("Item", {"Quorvel"}).toObject();
    outlook.activate(inspector);
    outlook.closeInspector(inspector);
    EXPECT_THROW(bar.get("Name"), automation::Error) << "the bar was not deleted";
    EXPECT_EQ(ObjectStore().Occupied(), 0);
    EXPECT_TRUE(Logged("Inspector_Activate"));
    EXPECT_TRUE(Logged("Inspector_Close"));
}

TEST_F(DirectoryTest, AFailingToolbarStepIsLoggedAndTheRestIsBuilt) {
    Start();
    outlook.failMember("CommandBar.Protection", "protection refused");
    Object inspector = NewAppointment("Meeting");
    EXPECT_TRUE(Logged("cInspector:AddCommandBar:protection refused"));
    EXPECT_EQ(QuorvelButtons(inspector).size(), 2u);
    outlook.failMember("CommandBarButton.Delete", "cannot delete");
    outlook.closeInspector(inspector);
    EXPECT_EQ(CountLogged("cInspector:RemoveCommandBar:cannot delete"), 2) << "each control is tried";
    EXPECT_EQ(ObjectStore().Occupied(), 0);
}

TEST_F(DirectoryTest, OrderItemsOnTheToolbarShowsTheOrderDialog) {
    Start();
    Object inspector = NewAppointment("Meeting");
    outlook.clickButton(inspector, "Order Items");
    EXPECT_TRUE(session.window("OrderForm")->isVisible());
}
