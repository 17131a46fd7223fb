#include <gtest/gtest.h>

#include <memory>

#include "automation/error.h"
#include "automation/object.h"
#include "outlook.h"

using automation::Error;
using automation::Interface;
using automation::Object;
using automation::Value;

TEST(SimReferences, HeldObjectsAreCountedUntilDropped) {
    sim::Outlook outlook;
    {
        Object app = outlook.application();
        Object ns = app.call("GetNamespace", {"MAPI"}).toObject();
        Object calendar = ns.call("GetDefaultFolder", {int16_t{9}}).toObject();
        Object items = calendar.get("Items").toObject();
        Object again = calendar;
        EXPECT_EQ(outlook.addinReferences(), 5);
        EXPECT_EQ(outlook.heldObjects(),
                  (std::vector<std::string>{"Application x1", "Items x1", "MAPIFolder x2", "NameSpace x1"}));
    }
    EXPECT_EQ(outlook.addinReferences(), 0);
    EXPECT_TRUE(outlook.heldObjects().empty());
}

TEST(SimReferences, AnObjectOnlyTheAddinHoldsLivesUntilReleased) {
    sim::Outlook outlook;
    Object app = outlook.application();
    Object item = app.call("CreateItem", {int16_t{1}}).toObject();
    item.put("Subject", "kept alive");
    Object recipient = item.get("Recipients").toObject().call("Add", {"Anna"}).toObject();
    EXPECT_EQ(recipient.get("Name").toString(), "Anna");
    EXPECT_EQ(item.get("Subject").toString(), "kept alive");
    app.clear();
    item.clear();
    recipient.clear();
    EXPECT_EQ(outlook.addinReferences(), 0);
}

TEST(SimReferences, QueryInterfaceAnswersOnlyApplicationAndAppointments) {
    sim::Outlook outlook;
    Object app = outlook.application();
    Object asApplication = app.as(Interface::OutlookApplication);
    EXPECT_TRUE(asApplication.is(app));
    EXPECT_THROW(app.as(Interface::OutlookAppointmentItem), Error);
    Object appointment = app.call("CreateItem", {int16_t{1}}).toObject();
    EXPECT_TRUE(appointment.as(Interface::OutlookAppointmentItem).is(appointment));
    Object mail = app.call("CreateItem", {int16_t{0}}).toObject();
    EXPECT_THROW(mail.as(Interface::OutlookAppointmentItem), Error);
    EXPECT_THROW(app.get("Explorers").toObject().as(Interface::OutlookApplication), Error);
}

TEST(SimReferences, AnObjectOutlivingTheSessionRaisesInsteadOfCrashing) {
    auto outlook = std::make_unique<sim::Outlook>();
    Object app = outlook->application();
    Object item = app.call("CreateItem", {int16_t{1}}).toObject();
    outlook.reset();
    EXPECT_THROW(item.get("Subject"), Error);
    EXPECT_THROW(app.get("Version"), Error);
    item.clear();
    app.clear();
}

TEST(SimReferences, UnknownMembersAndWrongKindsRaise438) {
    sim::Outlook outlook;
    Object app = outlook.application();
    try {
        app.get("NoSuchMember");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.code(), 438);
    }
    EXPECT_THROW(app.put("Version", "13.0"), Error);
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    Object calendar = outlook.folder(sim::FolderKind::Calendar);
    // CurrentFolder is assigned by reference only.
    EXPECT_THROW(explorer.put("CurrentFolder", Value(calendar)), Error);
    explorer.putRef("CurrentFolder", Value(calendar));
    EXPECT_TRUE(explorer.get("CurrentFolder").toObject().is(calendar));
    // Member names match without regard to case, as IDispatch does.
    EXPECT_EQ(app.get("version").toString(), "12.0.0.4518");
}
