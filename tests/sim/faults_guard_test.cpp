#include <gtest/gtest.h>

#include "automation/component_factory.h"
#include "automation/error.h"
#include "automation/object.h"
#include "outlook.h"

using automation::Error;
using automation::Object;
using automation::Value;

namespace {

constexpr int32_t E_ABORT = static_cast<int32_t>(0x80004004u);
constexpr int32_t E_FAIL = -2147467259;

int32_t codeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.code();
    }
    return 0;
}

class SimGuard : public ::testing::Test {
protected:
    void SetUp() override {
        outlook.makeCurrent();
        sim::AppointmentSpec spec;
        spec.subject = "Board";
        spec.recipients = {{"Anna", 1}, {"Room 4", 3}};
        appointment = outlook.addAppointment(spec);
    }

    sim::Outlook outlook;
    Object appointment;
};

}  // namespace

TEST(SimFaults, FailsOnlyTheNthCallAndCountsEveryCall) {
    sim::Outlook outlook;
    Object app = outlook.application();
    outlook.failMember("Application.Version", "broken", 2);
    outlook.resetCalls();
    EXPECT_NO_THROW(app.get("Version"));
    try {
        app.get("Version");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.code(), E_FAIL);
        EXPECT_EQ(error.description(), "broken");
    }
    EXPECT_NO_THROW(app.get("Version"));
    EXPECT_EQ(outlook.calls(), 3);
}

TEST(SimFaults, AlwaysFailsUntilCleared) {
    sim::Outlook outlook;
    Object app = outlook.application();
    Object explorer = outlook.openExplorer(sim::FolderKind::Inbox);
    outlook.failMember("Explorer.CurrentFolder", "gone");
    EXPECT_THROW(explorer.get("CurrentFolder"), Error);
    EXPECT_THROW(explorer.get("CurrentFolder"), Error);
    // A failing put does nothing.
    Object calendar = outlook.folder(sim::FolderKind::Calendar);
    EXPECT_THROW(explorer.putRef("CurrentFolder", Value(calendar)), Error);
    outlook.clearFaults();
    EXPECT_EQ(explorer.get("CurrentFolder").toObject().get("Name").toString(), "Inbox");
}

TEST_F(SimGuard, DeniedAccessAbortsGuardedMembersOnly) {
    outlook.denyAccess(true);
    Object recipients;
    EXPECT_EQ(codeOf([&] { appointment.get("Recipients"); }), E_ABORT);
    EXPECT_EQ(codeOf([&] { appointment.get("RequiredAttendees"); }), E_ABORT);
    EXPECT_EQ(codeOf([&] { appointment.put("Resources", "x"); }), E_ABORT);
    EXPECT_EQ(codeOf([&] { appointment.get("Organizer"); }), E_ABORT);
    EXPECT_EQ(codeOf([&] { appointment.call("Send"); }), E_ABORT);
    Object ns = outlook.application().call("GetNamespace", {"MAPI"}).toObject();
    EXPECT_EQ(codeOf([&] { ns.get("CurrentUser"); }), E_ABORT);
    EXPECT_EQ(appointment.get("Subject").toString(), "Board");
    EXPECT_EQ(outlook.resources(appointment), "Room 4");
}

TEST_F(SimGuard, RecipientsTakenBeforeDenialAreGuardedToo) {
    Object recipients = appointment.get("Recipients").toObject();
    Object first = recipients.call("Item", {int16_t{1}}).toObject();
    outlook.denyAccess(true);
    EXPECT_EQ(codeOf([&] { recipients.get("Count"); }), E_ABORT);
    EXPECT_EQ(codeOf([&] { first.get("Name"); }), E_ABORT);
    outlook.denyAccess(false);
    EXPECT_EQ(first.get("Name").toString(), "Anna");
}

TEST_F(SimGuard, SecurityWrapperBypassesTheGuard) {
    outlook.installSecurityWrapper(true);
    outlook.denyAccess(true);
    Object user = automation::CreateObject("VeskSec1.VeskCurrentUser");
    ASSERT_TRUE(user);
    EXPECT_EQ(user.get("Name").toString(), "Erik Lund");
    Object safe = automation::CreateObject("VeskSec1.VeskAppointmentItem");
    safe.put("Item", Value(appointment));
    Object recipients = safe.get("Recipients").toObject();
    ASSERT_TRUE(recipients);
    EXPECT_EQ(recipients.get("Count").toInt32(), 2);
    Object second = recipients.call("Item", {int16_t{2}}).toObject();
    EXPECT_EQ(second.get("Type").toInt32(), 3);
    EXPECT_EQ(second.get("AddressEntry").toObject().get("Name").toString(), "Room 4");
    EXPECT_EQ(safe.get("Organizer").toString(), "Erik Lund");
    safe.put("RequiredAttendees", "Bo; Cy");
    EXPECT_EQ(outlook.requiredAttendees(appointment), "Bo; Cy");
}

TEST_F(SimGuard, WrapperAnswersNothingWhenAbsentOrRefusing) {
    EXPECT_FALSE(outlook.create("VeskSec1.VeskAppointmentItem"));
    outlook.installSecurityWrapper(true);
    EXPECT_FALSE(outlook.create("VeskSec1.Unknown"));
    outlook.setSecurityWrapperRefusesRecipients(true);
    Object safe = automation::CreateObject("VeskSec1.VeskAppointmentItem");
    safe.put("Item", Value(appointment));
    EXPECT_TRUE(safe.get("Recipients").toObject().isNothing());
    outlook.installSecurityWrapper(false);
    EXPECT_FALSE(outlook.create("VeskSec1.VeskCurrentUser"));
    // Only appointments can be wrapped; the assignment is a plain put.
    Object mail = outlook.addMail(sim::FolderKind::Inbox, "hello");
    EXPECT_THROW(safe.put("Item", Value(mail)), Error);
    EXPECT_THROW(safe.putRef("Item", Value(appointment)), Error);
}

TEST_F(SimGuard, HiddenItemsThroughTheFolderWrapper) {
    outlook.installSecurityWrapper(true);
    outlook.denyAccess(true);
    Object folderWrapper = automation::CreateObject("VeskSec1.VeskMAPIFolder");
    folderWrapper.putRef("Item", Value(outlook.folder(sim::FolderKind::Calendar)));
    Object hidden = folderWrapper.get("HiddenItems").toObject();
    EXPECT_TRUE(hidden.call("Item", {"All"}).toObject().isNothing());
    Object schedule = hidden.call("Add", {"IPM.Appointment"}).toObject();
    schedule.put("Subject", "All");
    Object member = schedule.get("Recipients").toObject().call("Add", {"Anna"}).toObject();
    Object safe = automation::CreateObject("VeskSec1.VeskAppointmentItem");
    safe.put("Item", Value(appointment));
    Object entry =
        safe.get("Recipients").toObject().call("Item", {int16_t{1}}).toObject().get("AddressEntry").toObject();
    member.put("AddressEntry", Value(entry));
    EXPECT_THROW(member.putRef("AddressEntry", Value(entry)), Error);
    member.put("Type", int16_t{1});
    EXPECT_TRUE(member.call("Resolve").toBool());
    schedule.call("Save");
    EXPECT_TRUE(hidden.call("Item", {"All"}).toObject().is(schedule));
    ASSERT_EQ(outlook.hiddenItems().size(), 1u);
    EXPECT_EQ(outlook.recipients(schedule), (std::vector<sim::RecipientInfo>{{"Anna", 1, true}}));
    // Hidden items stay out of the folder's visible items.
    EXPECT_EQ(outlook.subjects(sim::FolderKind::Calendar), std::vector<std::string>{"Board"});
    Object recipients = schedule.get("Recipients").toObject();
    recipients.call("Remove", {int16_t{1}});
    EXPECT_EQ(recipients.get("Count").toInt32(), 0);
}
