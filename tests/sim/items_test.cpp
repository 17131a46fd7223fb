#include <gtest/gtest.h>

#include "automation/error.h"
#include "automation/object.h"
#include "outlook.h"

using automation::Error;
using automation::Object;
using automation::Value;

namespace {

class SimItems : public ::testing::Test {
protected:
    SimItems() {
        app = outlook.application();
        ns = app.call("GetNamespace", {"MAPI"}).toObject();
        calendarItems = ns.call("GetDefaultFolder", {int16_t{9}}).toObject().get("Items").toObject();
    }

    Object find(const std::string& filter) { return calendarItems.call("Find", {filter}).toObject(); }

    sim::Outlook outlook;
    Object app;
    Object ns;
    Object calendarItems;
};

}  // namespace

TEST_F(SimItems, RequiredAttendeesPutReplacesOnlyThatType) {
    sim::AppointmentSpec spec;
    spec.subject = "Meeting";
    spec.recipients = {{"Anna", 1}, {"Room 4", 3}, {"Bo", 1}, {"Cy", 2}};
    Object item = outlook.addAppointment(spec);
    EXPECT_EQ(item.get("RequiredAttendees").toString(), "Anna; Bo");
    item.put("RequiredAttendees", " Dan ;; Eva;  ;");
    EXPECT_EQ(
        outlook.recipients(item),
        (std::vector<sim::RecipientInfo>{{"Room 4", 3, true}, {"Cy", 2, true}, {"Dan", 1, false}, {"Eva", 1, false}}));
    item.put("Resources", "");
    EXPECT_EQ(item.get("Resources").toString(), "");
    EXPECT_EQ(item.get("OptionalAttendees").toString(), "Cy");
    EXPECT_FALSE(item.get("Saved").toBool());
}

TEST_F(SimItems, RecipientsAddResolveAndRemove) {
    outlook.markUnresolvable("Nobody");
    Object item = app.call("CreateItem", {int16_t{1}}).toObject();
    Object recipients = item.get("Recipients").toObject();
    Object anna = recipients.call("Add", {"Anna"}).toObject();
    EXPECT_EQ(anna.get("Type").toInt32(), 1);
    EXPECT_FALSE(anna.get("Resolved").toBool());
    recipients.call("Add", {"Nobody"});
    EXPECT_FALSE(recipients.call("ResolveAll").toBool());
    EXPECT_TRUE(anna.get("Resolved").toBool());
    EXPECT_THROW(recipients.call("Remove", {int16_t{3}}), Error);
    recipients.call("Remove", {int16_t{2}});
    EXPECT_TRUE(recipients.call("ResolveAll").toBool());
    EXPECT_EQ(recipients.call("Item", {"anna"}).toObject().get("Name").toString(), "Anna");
    EXPECT_THROW(recipients.call("Item", {int16_t{0}}), Error);
}

TEST_F(SimItems, FindIgnoresCaseAndAnswersTheFirstInInsertionOrder) {
    Object first = outlook.addAppointment("Quorvel_Settings1_");
    Object second = outlook.addAppointment("QUORVEL_settings1_");
    EXPECT_TRUE(find("[Subject] = 'quorvel_settings1_'").is(first));
    EXPECT_TRUE(find("[Subject]=\"QUORVEL_SETTINGS1_\"").is(first));
    EXPECT_TRUE(find("[Subject] = 'nothing'").isNothing());
    outlook.addAppointment("It's");
    EXPECT_EQ(find("[Subject] = 'It''s'").get("Subject").toString(), "It's");
    EXPECT_THROW(find("[Start] = '1'"), Error);
    EXPECT_THROW(find("[Subject] = 'open"), Error);
    EXPECT_THROW(find("[Subject] = 'a' AND [Subject] = 'b'"), Error);
}

TEST_F(SimItems, SaveAssignsAnEntryIdAndFilesTheItem) {
    Object item = app.call("CreateItem", {int16_t{1}}).toObject();
    item.put("Subject", "New");
    EXPECT_EQ(item.get("EntryID").toString(), "");
    EXPECT_EQ(calendarItems.get("Count").toInt32(), 0);
    item.call("Save");
    std::string id = item.get("EntryID").toString();
    EXPECT_FALSE(id.empty());
    EXPECT_TRUE(item.get("Saved").toBool());
    item.call("Save");
    EXPECT_EQ(calendarItems.get("Count").toInt32(), 1);
    EXPECT_TRUE(ns.call("GetItemFromID", {id, ""}).toObject().is(item));
    std::string store = ns.call("GetDefaultFolder", {int16_t{9}}).toObject().get("StoreID").toString();
    EXPECT_TRUE(ns.call("GetItemFromID", {id, store}).toObject().is(item));
    try {
        ns.call("GetItemFromID", {"00FF", ""});
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.code(), static_cast<int32_t>(0x8004010Fu));
    }
}

TEST_F(SimItems, DeleteMovesToDeletedItemsThenDestroys) {
    Object item = outlook.addAppointment("Old");
    item.call("Delete");
    EXPECT_TRUE(outlook.subjects(sim::FolderKind::Calendar).empty());
    EXPECT_EQ(outlook.subjects(sim::FolderKind::DeletedItems), std::vector<std::string>{"Old"});
    item.call("Delete");
    EXPECT_TRUE(outlook.subjects(sim::FolderKind::DeletedItems).empty());
    EXPECT_THROW(item.get("Subject"), Error);
}

TEST_F(SimItems, CopyIsUnsavedWithTheSameRecipients) {
    sim::AppointmentSpec spec;
    spec.subject = "Template";
    spec.recipients = {{"Anna", 1}};
    Object original = outlook.addAppointment(spec);
    Object copy = original.call("Copy").toObject();
    EXPECT_FALSE(copy.is(original));
    EXPECT_FALSE(copy.get("Saved").toBool());
    EXPECT_EQ(copy.get("Subject").toString(), "Template");
    EXPECT_EQ(outlook.recipients(copy), outlook.recipients(original));
    copy.put("RequiredAttendees", "Bo");
    EXPECT_EQ(outlook.requiredAttendees(original), "Anna");
    copy.call("Save");
    EXPECT_EQ(outlook.subjects(sim::FolderKind::Calendar), (std::vector<std::string>{"Template", "Template"}));
}

TEST_F(SimItems, CloseWithDiscardRestoresTheSavedState) {
    Object item = outlook.addAppointment("Before");
    outlook.displayItem(item);
    item.put("Subject", "After");
    item.call("Close", {int16_t{1}});
    EXPECT_EQ(item.get("Subject").toString(), "Before");
    EXPECT_EQ(outlook.inspectorCount(), 0);
}

TEST_F(SimItems, CloseWithPromptAsksAndMayBeCancelled) {
    Object item = outlook.addAppointment("Before");
    Object inspector = outlook.displayItem(item);
    item.put("Subject", "After");
    outlook.queueAlertAnswer(sim::AlertAnswer::Cancel);
    inspector.call("Close", {int16_t{2}});
    EXPECT_EQ(outlook.inspectorCount(), 1);
    inspector.call("Close", {int16_t{2}});
    EXPECT_EQ(outlook.inspectorCount(), 0);
    EXPECT_TRUE(outlook.isSaved(item));
    EXPECT_EQ(outlook.alerts().size(), 2u);
    EXPECT_THROW(inspector.get("CurrentItem"), Error);
}

TEST_F(SimItems, AppointmentDefaultsAndDefaultFolders) {
    Object item = app.call("CreateItem", {int16_t{1}}).toObject();
    EXPECT_EQ(item.get("Class").toInt32(), 26);
    EXPECT_EQ(item.get("MessageClass").toString(), "IPM.Appointment");
    EXPECT_EQ(item.get("Organizer").toString(), "Erik Lund");
    EXPECT_THROW(item.put("Organizer", "x"), Error);
    Object inbox = ns.call("GetDefaultFolder", {int16_t{6}}).toObject();
    EXPECT_EQ(inbox.get("DefaultItemType").toInt32(), 0);
    EXPECT_THROW(ns.call("GetDefaultFolder", {int16_t{99}}), Error);
    EXPECT_THROW(app.call("GetNamespace", {"OTHER"}), Error);
    EXPECT_THROW(app.call("CreateItem", {int16_t{7}}), Error);
    outlook.setCurrentUser("Kari Nord");
    EXPECT_EQ(ns.get("CurrentUser").toObject().get("Name").toString(), "Kari Nord");
}
