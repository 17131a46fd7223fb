#include "directory_fixture.h"

#include <algorithm>

#include "host/globals.h"

using automation::Object;

namespace {
using Strings = std::vector<std::string>;
const Entries Directory{{"Anna Berg", Required}, {"Carl Dahl", Required}, {"Room Fjord", Resource}};
}  // namespace

class BookingTest : public DirectoryTest {
protected:
    void SetUp() override {
        AddSettingsItem(Directory);
        Start();
    }
};

TEST_F(BookingTest, ChosenPeopleAndRoomBecomeTheMeetingsAttendees) {
    Object inspector = NewAppointment("Planning", {{"Guest Person", Required}, {"Olle Opt", Optional}});
    ASSERT_TRUE(outlook.clickButton(inspector, "People && Resources"));
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().caption(), "People & Resources: Planning");
    EXPECT_EQ(ListTexts("PeopleList"), (Strings{"Anna Berg", "Carl Dahl", "Guest Person"}));
    EXPECT_EQ(Chosen("PeopleList"), Strings{"Guest Person"});
    Tick("PeopleList", "Anna Berg");
    Tick("ResourcesList", "Room Fjord");
    Dialog().button("SaveButton")->click();
    Object item = inspector.get("CurrentItem").toObject();
    EXPECT_EQ(outlook.requiredAttendees(item), "Anna Berg; Guest Person");
    EXPECT_EQ(outlook.resources(item), "Room Fjord");
    EXPECT_EQ(outlook.writtenRequiredAttendees(item), "Anna Berg;Guest Person;");
    EXPECT_EQ(outlook.writtenResources(item), "Room Fjord;");
    EXPECT_EQ(item.get("MeetingStatus").toInt16(), 1);
    std::vector<sim::RecipientInfo> recipients = outlook.recipients(item);
    EXPECT_EQ(recipients.size(), 4u) << "the optional attendee stays";
    for (const sim::RecipientInfo& recipient : recipients) EXPECT_TRUE(recipient.resolved) << recipient.name;
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(outlook.inspectorCount(), 1) << "the window stays open";
    EXPECT_FALSE(outlook.isSaved(item)) << "the dialog saves nothing";
    EXPECT_TRUE(outlook.subjects(sim::FolderKind::SentItems).empty());
}

TEST_F(BookingTest, WrittenNamesEndInTheSeparator) {
    outlook.installSecurityWrapper(true);
    Object inspector = NewAppointment("One");
    outlook.clickButton(inspector, "People && Resources");
    Object item = inspector.get("CurrentItem").toObject();
    item.put("RequiredAttendees", "");
    Tick("PeopleList", "Anna Berg");
    outlook.failMember("VeskAppointmentItem.Resources", "resources refused");
    Dialog().button("SaveButton")->click();
    EXPECT_EQ(outlook.writtenRequiredAttendees(item), "Anna Berg;");
    EXPECT_EQ(outlook.requiredAttendees(item), "Anna Berg");
    EXPECT_TRUE(Logged("SaveButton_Click:resources refused"));
    EXPECT_EQ(item.get("MeetingStatus").toInt16(), 1) << "a failing step does not stop the rest";
}

TEST_F(BookingTest, MatchingIsExactAndTheOrganizerIsNeverListed) {
    Object inspector = NewAppointment("Case", {{"anna berg", Required},
                                               {"Erik Lund", Required},
                                               {"Carl Dahl", Resource},
                                               {"Room Fjord", Required}});
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_EQ(ListTexts("PeopleList"), (Strings{"Anna Berg", "Carl Dahl", "anna berg", "Room Fjord"}));
    EXPECT_EQ(Chosen("PeopleList"), (Strings{"anna berg", "Room Fjord"}));
    EXPECT_EQ(ListTexts("ResourcesList"), (Strings{"Room Fjord", "Carl Dahl"}));
    EXPECT_EQ(Chosen("ResourcesList"), Strings{"Carl Dahl"});
}

TEST_F(BookingTest, AppointmentOnlyEntriesLastUntilTheNextShowing) {
    Object first = NewAppointment("First", {{"Guest Person", Required}});
    outlook.clickButton(first, "People && Resources");
    Dialog().button("CancelButton")->click();
    EXPECT_EQ(ListTexts("PeopleList").back(), "Guest Person");
    Object second = NewAppointment("Second");
    outlook.clickButton(second, "People && Resources");
    EXPECT_EQ(ListTexts("PeopleList"), (Strings{"Anna Berg", "Carl Dahl"}));
    EXPECT_EQ(Dialog().caption(), "People & Resources: Second");
}

TEST_F(BookingTest, CancelAndClosingTheWindowWriteNothing) {
    Object inspector = NewAppointment("Keep", {{"Carl Dahl", Required}});
    Object item = inspector.get("CurrentItem").toObject();
    outlook.clickButton(inspector, "People && Resources");
    Tick("PeopleList", "Anna Berg");
    Dialog().button("CancelButton")->click();
    EXPECT_EQ(outlook.requiredAttendees(item), "Carl Dahl");
    outlook.clickButton(inspector, "People && Resources");
    Tick("PeopleList", "Anna Berg");
    outlook.closeInspector(inspector);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(outlook.requiredAttendees(item), "Carl Dahl");
    EXPECT_EQ(item.get("MeetingStatus").toInt16(), 0);
}

TEST_F(BookingTest, EmptyChoiceClearsAttendeesAndResources) {
    Object inspector = NewAppointment("Clear", {{"Anna Berg", Required}, {"Room Fjord", Resource}});
    outlook.clickButton(inspector, "People && Resources");
    Tick("PeopleList", "Anna Berg");
    Tick("ResourcesList", "Room Fjord");
    Dialog().button("SaveButton")->click();
    Object item = inspector.get("CurrentItem").toObject();
    EXPECT_EQ(outlook.requiredAttendees(item), "");
    EXPECT_EQ(outlook.resources(item), "");
    EXPECT_EQ(item.get("MeetingStatus").toInt16(), 1);
}

TEST_F(BookingTest, RefusedAccessShowsTheNoticeAndNoDialog) {
    Object inspector = NewAppointment("Guarded", {{"Anna Berg", Required}});
    outlook.denyAccess(true);
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_FALSE(Dialog().isVisible());
    ASSERT_EQ(outlook.alerts().size(), 1u);
    EXPECT_EQ(outlook.alerts()[0].title, "Outlook Security Info");
    EXPECT_TRUE(Logged("ShowForm:Operation aborted"));
}

TEST_F(BookingTest, OneFailingRecipientDoesNotStopTheOthers) {
    Object inspector = NewAppointment("Partial", {{"Anna Berg", Required}, {"Guest Person", Required}});
    outlook.failMember("Recipient.Name", "unreadable name", 1);
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_TRUE(Logged("ShowForm:unreadable name"));
    EXPECT_EQ(Chosen("PeopleList"), Strings{"Guest Person"});
    EXPECT_TRUE(Dialog().isVisible());
}

TEST_F(BookingTest, ARecipientWhoseTypeCannotBeReadIsLeftOut) {
    Object inspector = NewAppointment("Partial", {{"Anna Berg", Required}, {"Guest Person", Required}});
    outlook.failMember("Recipient.Type", "unreadable type", 1);
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_TRUE(Logged("ShowForm:unreadable type"));
    EXPECT_EQ(ListTexts("ResourcesList"), Strings{"Room Fjord"}) << "a person was listed as a resource";
    EXPECT_TRUE(Chosen("ResourcesList").empty());
    EXPECT_EQ(Chosen("PeopleList"), Strings{"Guest Person"});
    Dialog().button("SaveButton")->click();
    EXPECT_EQ(outlook.resources(inspector.get("CurrentItem").toObject()), "") << "a person was booked as a room";
}

TEST_F(BookingTest, TheDialogFollowsTheWindowWhoseButtonWasPressed) {
    Object first = NewAppointment("First");
    Object second = NewAppointment("Second");
    outlook.clickButton(first, "People && Resources");
    outlook.clickButton(second, "People && Resources");
    EXPECT_EQ(Dialog().caption(), "People & Resources: Second");
    Tick("PeopleList", "Carl Dahl");
    Dialog().button("SaveButton")->click();
    EXPECT_EQ(outlook.requiredAttendees(second.get("CurrentItem").toObject()), "Carl Dahl");
    EXPECT_EQ(outlook.requiredAttendees(first.get("CurrentItem").toObject()), "");
}

class OldOutlookBookingTest : public DirectoryTest, public testing::WithParamInterface<const char*> {};

TEST_P(OldOutlookBookingTest, TheTemporaryDraftLivesOnlyWhileTheDialogIsPrepared) {
    outlook.setVersion(GetParam());
    AddSettingsItem(Directory);
    Start();
    Object inspector = NewAppointment("Old", {{"Anna Berg", Required}});
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_EQ(Chosen("PeopleList"), Strings{"Anna Berg"});
    EXPECT_EQ(Dialog().caption(), "People & Resources: Old");
    EXPECT_TRUE(outlook.findItems(sim::FolderKind::Calendar, "Quorvel Temporary Draft").empty());
    EXPECT_EQ(outlook.findItems(sim::FolderKind::DeletedItems, "Quorvel Temporary Draft").size(), 1u);
    outlook.failMember("AppointmentItem.Recipients", "recipients unreadable", 0);
    outlook.clickButton(inspector, "People && Resources");
    outlook.clearFaults();
    EXPECT_TRUE(outlook.findItems(sim::FolderKind::Calendar, "Quorvel Temporary Draft").empty())
        << "the draft stayed after a failure";
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(outlook.alerts().back().title, "Outlook Security Info");
}

TEST_P(OldOutlookBookingTest, ADraftRefusingItsDeletionOnceStillGoes) {
    outlook.setVersion(GetParam());
    Start();
    Object inspector = NewAppointment("Old");
    outlook.failMember("AppointmentItem.Delete", "item in use", 1);
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_TRUE(Logged("ShowForm:item in use"));
    EXPECT_TRUE(outlook.findItems(sim::FolderKind::Calendar, "Quorvel Temporary Draft").empty());
}

namespace {
int Drafts(sim::Outlook& outlook) {
    std::vector<std::string> subjects = outlook.subjects(sim::FolderKind::Calendar);
    return static_cast<int>(std::count(subjects.begin(), subjects.end(), "Quorvel Temporary Draft"));
}
}  // namespace

TEST_P(OldOutlookBookingTest, ADraftLeftBehindGoesBeforeTheNextCopyAndNothingElseGoes) {
    outlook.setVersion(GetParam());
    outlook.addAppointment("quorvel temporary draft");
    outlook.addAppointment("Quorvel Temporary Draft notes");
    Start();
    Object inspector = NewAppointment("Old");
    outlook.failMember("AppointmentItem.Delete", "item in use");
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_EQ(Drafts(outlook), 1);
    outlook.clearFaults();
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_EQ(Drafts(outlook), 0);
    std::vector<std::string> subjects = outlook.subjects(sim::FolderKind::Calendar);
    EXPECT_EQ(std::count(subjects.begin(), subjects.end(), "quorvel temporary draft"), 1);
    EXPECT_EQ(std::count(subjects.begin(), subjects.end(), "Quorvel Temporary Draft notes"), 1);
}

TEST_P(OldOutlookBookingTest, ADraftLeftBehindThatTheUserIsEditingStays) {
    outlook.setVersion(GetParam());
    Start();
    outlook.failMember("AppointmentItem.Delete", "item in use");
    outlook.clickButton(NewAppointment("Old"), "People && Resources");
    outlook.clearFaults();
    Object inspector = outlook.displayItem(outlook.findItems(sim::FolderKind::Calendar, "Quorvel Temporary Draft")[0]);
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_EQ(Drafts(outlook), 1);
    EXPECT_EQ(Dialog().caption(), "People & Resources: Quorvel Temporary Draft");
}

TEST_P(OldOutlookBookingTest, ConnectingRemovesADraftLeftBehind) {
    outlook.setVersion(GetParam());
    outlook.addAppointment("Quorvel Temporary Draft");
    outlook.addAppointment("Quorvel Temporary Draft");
    Start();
    EXPECT_EQ(Drafts(outlook), 0);
}

TEST_F(DirectoryTest, FromOutlook2003ADraftSubjectIsNotTheAddinsToDelete) {
    outlook.setVersion("11.0.0.8312");
    outlook.addAppointment("Quorvel Temporary Draft");
    Start();
    outlook.clickButton(NewAppointment("New"), "People && Resources");
    EXPECT_EQ(Drafts(outlook), 1);
}

INSTANTIATE_TEST_SUITE_P(Outlook2000And2002, OldOutlookBookingTest, testing::Values("9.0.0.2711", "10.0.0.2627"));

TEST_F(DirectoryTest, EmptyDirectoryAndNoRecipientsGiveTwoEmptyLists) {
    Start();
    Object inspector = NewAppointment("Nobody");
    outlook.clickButton(inspector, "People && Resources");
    EXPECT_TRUE(ListTexts("PeopleList").empty());
    EXPECT_TRUE(ListTexts("ResourcesList").empty());
    Dialog().button("SaveButton")->click();
    EXPECT_EQ(inspector.get("CurrentItem").toObject().get("MeetingStatus").toInt16(), 1);
}

// Office raises a button's Click on every button it takes for the same control: each window's
// wrapper answers only a click on its own button.
TEST_F(BookingTest, AToolbarClickActsOnlyForTheWindowItWasMadeIn) {
    Object explorers[] = {outlook.openExplorer(sim::FolderKind::Calendar),
                          outlook.openExplorer(sim::FolderKind::Inbox)};
    Object first = NewAppointment("First");
    Object second = NewAppointment("Second");
    const auto currentItemReads = [&] {
        const auto& calls = outlook.addinCalls();
        return calls.count("Inspector.CurrentItem") ? calls.at("Inspector.CurrentItem") : 0;
    };
    const long long before = currentItemReads();
    ASSERT_TRUE(outlook.clickButton(first, "People && Resources"));
    EXPECT_EQ(currentItemReads() - before, 1) << "the dialog was shown once per window";
    EXPECT_EQ(Dialog().caption(), "People & Resources: First");
    Tick("PeopleList", "Anna Berg");
    Dialog().button("SaveButton")->click();
    EXPECT_EQ(outlook.requiredAttendees(first.get("CurrentItem").toObject()), "Anna Berg");
    EXPECT_EQ(outlook.requiredAttendees(second.get("CurrentItem").toObject()), "");

    const int inspectors = outlook.inspectorCount();
    ASSERT_TRUE(outlook.clickButton(explorers[1], "New Meeting"));
    EXPECT_EQ(outlook.inspectorCount(), inspectors + 1) << "one new meeting per click";
}
