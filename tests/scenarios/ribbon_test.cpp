#include "directory_fixture.h"

#include <fstream>
#include <sstream>

#include "automation/error.h"

using automation::Object;

namespace {
std::string RibbonFile() {
    std::ifstream in(std::string(QUORVEL_SOURCE_FOLDER) + "/resources/ribbon.xml");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
}  // namespace

TEST_F(DirectoryTest, TheRibbonCustomisesOnlyAppointmentWindows) {
    Start();
    std::string xml = session.addin().GetCustomUI("Microsoft.Outlook.Appointment");
    EXPECT_EQ(xml, RibbonFile());
    EXPECT_NE(xml.find("xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\""), std::string::npos);
    EXPECT_EQ(xml.find('\n'), std::string::npos) << "the XML is one line";
    for (const char* other : {"Microsoft.Outlook.Mail.Read", "microsoft.outlook.appointment", ""})
        EXPECT_EQ(session.addin().GetCustomUI(other), "") << other;
}

TEST_F(DirectoryTest, TheRibbonXmlIsLoadedOnceAndAMissingStringGivesNothing) {
    outlook.platform().setString(101, "");
    Start();
    EXPECT_EQ(session.addin().GetCustomUI("Microsoft.Outlook.Appointment"), "");
    outlook.platform().setString(101, "<customUI/>");
    EXPECT_EQ(session.addin().GetCustomUI("Microsoft.Outlook.Appointment"), "<customUI/>");
    outlook.platform().setString(101, "<changed/>");
    EXPECT_EQ(session.addin().GetCustomUI("Microsoft.Outlook.Appointment"), "<customUI/>");
}

TEST_F(DirectoryTest, TheRibbonsInviteButtonWorksOnTheActiveWindow) {
    AddSettingsItem({{"Anna Berg", Required}});
    Start();
    session.addin().RibbonCallback("OnLoad");
    Object first = NewAppointment("First");
    Object second = NewAppointment("Second");
    outlook.activate(first);
    session.addin().RibbonCallback("OnInviteButton");
    EXPECT_EQ(Dialog().caption(), "People & Resources: First");
    EXPECT_TRUE(Dialog().isVisible());
}

TEST_F(DirectoryTest, TheRibbonsInviteButtonFailsWithoutAnAppointmentWindow) {
    Start();
    size_t logged = Log().size();
    EXPECT_THROW(session.addin().RibbonCallback("OnInviteButton"), automation::Error);
    EXPECT_EQ(Log().size(), logged) << "the ribbon's failures are not logged";
    Object mail = outlook.application().call("CreateItem", {int16_t{0}}).toObject();
    outlook.displayItem(mail);
    logged = Log().size();
    EXPECT_THROW(session.addin().RibbonCallback("OnInviteButton"), automation::Error);
    EXPECT_EQ(Log().size(), logged);
}

TEST_F(DirectoryTest, OrderItemsShowsOneDialog) {
    Start();
    session.addin().RibbonCallback("OnOrderButton");
    session.addin().RibbonCallback("OnOrderButton");
    int orderWindows = 0;
    for (const auto* window : session.toolkit().windows()) orderWindows += window->spec().name == "OrderForm";
    EXPECT_EQ(orderWindows, 1);
    EXPECT_TRUE(session.window("OrderForm")->isVisible());
    EXPECT_EQ(session.window("OrderForm")->caption(), "Order Items");
    session.window("OrderForm")->button("OKButton")->click();
    EXPECT_FALSE(session.window("OrderForm")->isVisible());
}
