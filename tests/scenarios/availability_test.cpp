#include "directory_fixture.h"

#include "host/globals.h"

using automation::Object;

namespace {

// A directory longer than a list shows: the people's list has room for 20 rows.
Entries LongDirectory() {
    Entries entries;
    for (int index = 0; index < 40; ++index) entries.push_back({"Person " + std::to_string(index), Required});
    entries.push_back({"Room 4", Resource});
    return entries;
}

}  // namespace

class AvailabilityTest : public DirectoryTest {
protected:
    void SetUp() override {
        AddSettingsItem(LongDirectory());
        Start();
        inspector = NewAppointment("Planning", {{"Person 30", Required}});
    }
    void TearDown() override {
        inspector.clear();
        DirectoryTest::TearDown();
    }

    long long Calls(const std::string& member) const {
        auto found = outlook.addinCalls().find(member);
        return found == outlook.addinCalls().end() ? 0 : found->second;
    }
    void Open() { ASSERT_TRUE(outlook.clickButton(inspector, "People && Resources")); }
    ui::Availability Mark(const std::string& list, int row) { return Dialog().listBox(list)->mark(row); }
    std::string Summary() { return Dialog().label("SummaryLabel")->text(); }

    Object inspector;
};

TEST_F(AvailabilityTest, NothingIsAskedBeforeTheWindowIsShownThenOneLookUpPerSlice) {
    Open();
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Calls("Recipient.FreeBusy"), 0);
    EXPECT_EQ(Calls("AppointmentItem.End"), 0);
    EXPECT_EQ(Summary(), "") << "the summary waits for Outlook to be idle, as the look-ups do";
    EXPECT_EQ(session.windows().Idle(1), 1);
    EXPECT_EQ(Calls("Recipient.FreeBusy"), 0) << "the first slice reads the meeting";
    EXPECT_EQ(Summary(), "Checking availability\u2026");
    for (int slice = 1; slice <= 3; ++slice) {
        session.windows().Idle(1);
        EXPECT_EQ(Calls("Recipient.FreeBusy"), slice);
    }
    // The chosen entry went first, then the people in view from the top.
    EXPECT_EQ(Mark("PeopleList", 30), ui::Availability::Free);
    EXPECT_EQ(Mark("PeopleList", 0), ui::Availability::Free);
    EXPECT_EQ(Mark("PeopleList", 1), ui::Availability::Free);
    EXPECT_EQ(Mark("PeopleList", 2), ui::Availability::Unknown);
    EXPECT_EQ(Summary(), "All chosen are free at this time");
}

TEST_F(AvailabilityTest, OnlyEntriesChosenOrInViewAreAskedForEachOnce) {
    Open();
    session.windows().Idle(-1);
    // 20 rows of people in view, the chosen one below them, and the room.
    EXPECT_EQ(Calls("Recipient.FreeBusy"), 22);
    EXPECT_EQ(Mark("PeopleList", 25), ui::Availability::Unknown);
    Dialog().listBox("PeopleList")->scrollTo(20);
    session.windows().Idle(-1);
    EXPECT_EQ(Calls("Recipient.FreeBusy"), 41) << "scrolling asks only for those newly in view";
    EXPECT_EQ(Mark("PeopleList", 25), ui::Availability::Free);
    Tick("PeopleList", "Person 3");
    Tick("ResourcesList", "Room 4");
    EXPECT_EQ(session.windows().Idle(-1), 0) << "what is known needs no idle work";
    EXPECT_EQ(Calls("Recipient.FreeBusy"), 41);
}

TEST_F(AvailabilityTest, ClosingStopsTheLookUpsAndLetsGoOfTheirObjects) {
    const int before = outlook.addinReferences();
    Open();
    session.windows().Idle(3);
    Dialog().button("CancelButton")->click();
    EXPECT_EQ(session.windows().Idle(-1), 0);
    EXPECT_EQ(outlook.addinReferences(), before);
    const long long asked = Calls("Recipient.FreeBusy");
    Open();
    session.windows().Idle(2);
    EXPECT_EQ(Calls("Recipient.FreeBusy"), asked + 1) << "a new showing asks anew";
    EXPECT_EQ(Mark("PeopleList", 0), ui::Availability::Unknown) << "nothing is kept from the last showing";
}

TEST_F(AvailabilityTest, FailuresAreNoInformationLoggedOncePerShowing) {
    outlook.failMember("Recipient.FreeBusy", "The server is not available.");
    Open();
    session.windows().Idle(-1);
    EXPECT_EQ(Mark("PeopleList", 30), ui::Availability::NoInformation);
    EXPECT_EQ(Summary(), "No availability information: Person 30");
    EXPECT_EQ(CountLoggedUnder("ShowForm:"), 1);
    EXPECT_TRUE(Logged("ShowForm:No availability information for Person 30: The server is not available."));
    Tick("PeopleList", "Person 0");
    EXPECT_EQ(Summary(), "No availability information: Person 0, Person 30");
    Dialog().button("SaveButton")->click();
    EXPECT_EQ(outlook.requiredAttendees(inspector.get("CurrentItem").toObject()), "Person 0; Person 30")
        << "the dialog keeps working";
}

TEST_F(AvailabilityTest, ANameThatDoesNotResolveIsNoInformationAndTheRestGoesOn) {
    outlook.markUnresolvable("Person 1");
    outlook.freeBusy().spans["Person 2"].push_back({46401 + 10.0 / 24, 46401 + 12.0 / 24, 2});
    Open();
    session.windows().Idle(-1);
    EXPECT_EQ(Mark("PeopleList", 1), ui::Availability::NoInformation);
    EXPECT_EQ(Mark("PeopleList", 2), ui::Availability::Busy);
    EXPECT_TRUE(Logged("ShowForm:No availability information for Person 1: The name could not be resolved."));
}

TEST_F(AvailabilityTest, TheFilterWakesLookUpsForEntriesNewlyInView) {
    Open();
    session.windows().Idle(-1);
    session.windows().Type("PeopleResourcesForm", "FindBox", "person 3");
    EXPECT_EQ(Summary(), "All chosen are free at this time");
    EXPECT_GT(session.windows().Idle(-1), 0);
    EXPECT_EQ(Mark("PeopleList", 10), ui::Availability::Free) << "Person 39, tenth of those found";
    session.windows().Type("PeopleResourcesForm", "FindBox", "room");
    EXPECT_EQ(Summary(), "All chosen are free at this time. 1 chosen entry is hidden by Find");
}
