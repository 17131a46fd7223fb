// Closing the settings item keeps each group schedule in step by difference: what the schedules
// hold afterwards is what a full rebuild from the directory would give, order included, while only
// the members that changed are removed, added and resolved.
#include <functional>
#include <map>
#include <set>

#include "directory_fixture.h"

using automation::Object;

namespace {

const std::string Prefix = "{B911D251-1842-4720-A131-F164B6C99078} - ";
const char* const Kinds[] = {"Quorvel All", "Quorvel People", "Quorvel Resources"};

using Calls = std::map<std::string, long long>;
using Members = std::vector<sim::RecipientInfo>;

long long Made(const Calls& calls, const std::string& member) {
    auto found = calls.find(member);
    return found == calls.end() ? 0 : found->second;
}

bool Takes(int kind, int16_t type) {
    return (kind != 2 && type == Required) || (kind != 1 && type == Resource);
}

}  // namespace

class GroupScheduleDifferenceTest : public DirectoryTest {
protected:
    void SetUp() override {
        outlook.installSecurityWrapper(true);
        outlook.openExplorer(sim::FolderKind::Calendar);
    }

    // Opens the settings from the toolbar, lets `edit` change the directory while its window is
    // open, closes it and answers the add-in's calls into Outlook made by the close alone.
    Calls CloseSettings(const std::function<void(const Object& directory)>& edit = {}) {
        outlook.clickButton(outlook.explorer(1), "Settings");
        Object inspector = outlook.inspector(1);
        if (edit) {
            Object item = inspector.get("CurrentItem").toObject();
            edit(item.get("Recipients").toObject());
        }
        Calls before = outlook.addinCalls();
        outlook.closeInspector(inspector);
        Calls made;
        for (const auto& [member, count] : outlook.addinCalls())
            if (count > before[member]) made[member] = count - before[member];
        return made;
    }

    Object Schedule(int kind) {
        for (const Object& item : outlook.hiddenItems())
            if (item.get("Subject").toString() == Prefix + Kinds[kind]) return item;
        return Object();
    }

    // What a full rebuild from the directory gives the schedule: its entries in directory order,
    // each resolved unless its name is unresolvable.
    Members Rebuilt(int kind) {
        Members members;
        for (const sim::RecipientInfo& entry : outlook.recipients(settings_))
            if (Takes(kind, entry.type)) members.push_back({entry.name, entry.type, unresolvable_.count(entry.name) == 0});
        return members;
    }

    void ExpectAsRebuilt(const std::string& when) {
        for (int kind = 0; kind < 3; ++kind) {
            Object schedule = Schedule(kind);
            ASSERT_TRUE(schedule) << Kinds[kind] << " is missing " << when;
            EXPECT_EQ(outlook.recipients(schedule), Rebuilt(kind)) << Kinds[kind] << " " << when;
        }
    }

    void Unresolvable(const std::string& name) {
        outlook.markUnresolvable(name);
        unresolvable_.insert(name);
    }

    void StartWith(const Entries& entries) {
        settings_ = AddSettingsItem(entries);
        Start();
    }

    void TearDown() override {
        settings_.clear();
        DirectoryTest::TearDown();
    }

    static void Add(const Object& directory, const std::string& name, int16_t type) {
        directory.call("Add", {name}).toObject().put("Type", type);
    }

    Object settings_;
    std::set<std::string> unresolvable_;
};

namespace {
const Entries Directory{{"Anna Berg", Required}, {"Bo Ek", Required}, {"Eva Ek", Optional},
                        {"Carl Dahl", Required}, {"Room Fjord", Resource}, {"Dan Lind", Required},
                        {"Room Hav", Resource}};
}  // namespace

TEST_F(GroupScheduleDifferenceTest, NothingChangedMakesNoCallThatChangesASchedule) {
    StartWith(Directory);
    CloseSettings();
    ExpectAsRebuilt("after the first close");
    Calls made = CloseSettings();
    ExpectAsRebuilt("after a close without changes");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 0);
    EXPECT_EQ(Made(made, "Recipients.Add"), 0);
    EXPECT_EQ(Made(made, "Recipients.Remove"), 0);
    EXPECT_EQ(Made(made, "AppointmentItem.Save"), 1) << "only the settings item is saved";
    EXPECT_EQ(Made(made, "HiddenItems.Add"), 0);
    // The directory is read once for the lists and the schedules; the members are not read
    // again while each schedule is as this connection left it.
    EXPECT_EQ(Made(made, "Recipient.Name"), 7);
    EXPECT_EQ(Made(made, "AppointmentItem.LastModificationTime"), 3);
    EXPECT_EQ(ListTexts("PeopleList"), (std::vector<std::string>{"Anna Berg", "Bo Ek", "Eva Ek", "Carl Dahl", "Dan Lind"}));
    EXPECT_EQ(ListTexts("ResourcesList"), (std::vector<std::string>{"Room Fjord", "Room Hav"}));
}

TEST_F(GroupScheduleDifferenceTest, EntriesAddedAtTheEndAreTheOnlyOnesResolved) {
    StartWith(Directory);
    CloseSettings();
    Calls made = CloseSettings([](const Object& directory) {
        Add(directory, "Nils Nord", Required);
        Add(directory, "Room Sjo", Resource);
        Add(directory, "Olle Opt", Optional);
    });
    ExpectAsRebuilt("after entries were added at the end");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 2 + 1 + 1) << "All takes two, People one, Resources one";
    EXPECT_EQ(Made(made, "Recipients.Remove"), 0);
    EXPECT_EQ(Made(made, "AppointmentItem.Save"), 1 + 3);
}

TEST_F(GroupScheduleDifferenceTest, EntriesRemovedInTheMiddleAreOnlyRemoved) {
    StartWith(Directory);
    CloseSettings();
    Calls made = CloseSettings([](const Object& directory) {
        directory.call("Remove", {int16_t{5}});  // Room Fjord
        directory.call("Remove", {int16_t{2}});  // Bo Ek
    });
    ExpectAsRebuilt("after entries were removed in the middle");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 0);
    EXPECT_EQ(Made(made, "Recipients.Add"), 0);
    EXPECT_EQ(Made(made, "Recipients.Remove"), 2 + 1 + 1);
}

TEST_F(GroupScheduleDifferenceTest, AnEntryWhoseTypeChangedIsNoStaleMemberOfAll) {
    StartWith(Directory);
    CloseSettings();
    CloseSettings([](const Object& directory) {
        directory.call("Item", {int16_t{4}}).toObject().put("Type", Resource);  // Carl Dahl
        directory.call("Item", {int16_t{2}}).toObject().put("Type", Optional);  // Bo Ek
    });
    ExpectAsRebuilt("after two entries changed their type");
    Members all = outlook.recipients(Schedule(0));
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[1].name, "Carl Dahl");
    EXPECT_EQ(all[1].type, Resource);
}

TEST_F(GroupScheduleDifferenceTest, DuplicateNamesKeepTheirCountAndOrder) {
    StartWith({{"Anna Berg", Required}, {"Anna Berg", Required}, {"Anna Berg", Resource}, {"Bo Ek", Required},
               {"Anna Berg", Required}});
    CloseSettings();
    ExpectAsRebuilt("with duplicate names");
    CloseSettings([](const Object& directory) { directory.call("Remove", {int16_t{2}}); });
    ExpectAsRebuilt("after one of the duplicates went");
    CloseSettings([](const Object& directory) { Add(directory, "Anna Berg", Resource); });
    ExpectAsRebuilt("after a duplicate of another type came");
    EXPECT_EQ(outlook.recipients(Schedule(2)).size(), 2u);
}

TEST_F(GroupScheduleDifferenceTest, AnEntryInsertedInTheMiddleOrAReorderingGivesTheRebuiltOrder) {
    StartWith(Directory);
    CloseSettings();
    // Recipients are added at the end only: an entry comes into the middle when those after it
    // are taken out and put back behind it.
    Calls made = CloseSettings([](const Object& directory) {
        for (int removed = 0; removed < 3; ++removed) directory.call("Remove", {int16_t{5}});
        Add(directory, "Ida Inne", Required);
        Add(directory, "Room Fjord", Resource);
        Add(directory, "Dan Lind", Required);
        Add(directory, "Room Hav", Resource);
    });
    ExpectAsRebuilt("after an entry was inserted in the middle");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 4 + 2 + 0) << "from the insertion on, All and People are added again";
    // The first entry moved to the end.
    CloseSettings([](const Object& directory) {
        directory.call("Remove", {int16_t{1}});
        Add(directory, "Anna Berg", Required);
    });
    ExpectAsRebuilt("after the first entry moved to the end");
    EXPECT_EQ(outlook.recipients(Schedule(0)).back().name, "Anna Berg");
}

TEST_F(GroupScheduleDifferenceTest, AHandEditedScheduleIsPutBackInStep) {
    StartWith(Directory);
    CloseSettings();
    {
        sim::OwnCallScope own = outlook.asSimulator();
        Object members = Schedule(1).get("Recipients").toObject();
        members.call("Add", {"Stranger"});
        members.call("Remove", {int16_t{1}});
        Schedule(1).call("Save");
    }
    Calls made = CloseSettings();
    ExpectAsRebuilt("after the People schedule was edited by hand");
    EXPECT_EQ(Made(made, "Recipient.Name"), 7 + 4) << "saved since, People's members are read again";
}

TEST_F(GroupScheduleDifferenceTest, AnUnresolvableMemberIsResolvedAgainAtEachCloseAsARebuildWould) {
    Unresolvable("Carl Dahl");
    StartWith(Directory);
    CloseSettings();
    ExpectAsRebuilt("after the first close");
    Calls made = CloseSettings();
    ExpectAsRebuilt("after a close without changes");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 2) << "Carl Dahl, in All and People";
}

TEST_F(GroupScheduleDifferenceTest, TheFirstCloseOfAConnectionAsksWhichMembersAreResolved) {
    Unresolvable("Dan Lind");
    StartWith(Directory);
    CloseSettings();
    session.shutdown();
    Start();
    Calls made = CloseSettings();
    ExpectAsRebuilt("at the first close of the next connection");
    EXPECT_EQ(Made(made, "Recipient.Resolved"), 6 + 4 + 2);
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 2) << "Dan Lind, in All and People";
    made = CloseSettings();
    EXPECT_EQ(Made(made, "Recipient.Resolved"), 0) << "the connection knows them now";
}

TEST_F(GroupScheduleDifferenceTest, ARemovalFailingOnceIsPutInStepAtTheNextClose) {
    StartWith(Directory);
    CloseSettings();
    CloseSettings([this](const Object& directory) {
        directory.call("Remove", {int16_t{1}});
        outlook.failMember("Recipients.Remove", "cannot remove", 1);
    });
    EXPECT_TRUE(Logged("UpdateGroupSchedule:cannot remove"));
    Members all = outlook.recipients(Schedule(0));
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all[0].name, "Anna Berg") << "the failed removal left the member";
    EXPECT_NE(all, Rebuilt(0));
    EXPECT_EQ(outlook.recipients(Schedule(1)), Rebuilt(1)) << "the next schedule's removal succeeded";
    Calls made = CloseSettings();
    ExpectAsRebuilt("at the next close");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 5) << "All is rebuilt, the others are in step";
}

TEST_F(GroupScheduleDifferenceTest, AResolveFailingOnceGetsThatScheduleRebuiltAtTheNextClose) {
    StartWith(Directory);
    CloseSettings();
    CloseSettings([this](const Object& directory) {
        Add(directory, "Nils Nord", Required);
        outlook.failMember("Recipient.Resolve", "address book offline", 2);
    });
    EXPECT_TRUE(Logged("UpdateGroupSchedule:address book offline"));
    Members people = outlook.recipients(Schedule(1));
    ASSERT_EQ(people.size(), 5u);
    EXPECT_FALSE(people.back().resolved);
    Calls made = CloseSettings();
    ExpectAsRebuilt("at the next close");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 5) << "People is rebuilt, All and Resources are in step";
    made = CloseSettings();
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 0) << "and after that the difference is enough again";
}

TEST_F(GroupScheduleDifferenceTest, AnAddressEntryThatCouldNotBeSetGetsThatScheduleRebuilt) {
    StartWith(Directory);
    CloseSettings();
    CloseSettings([this](const Object& directory) {
        Add(directory, "Nils Nord", Required);
        outlook.failMember("Recipient.AddressEntry", "cannot set", 1);
    });
    EXPECT_TRUE(Logged("UpdateGroupSchedule:cannot set"));
    Calls made = CloseSettings();
    ExpectAsRebuilt("at the next close");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 7) << "All is rebuilt";
}

TEST_F(GroupScheduleDifferenceTest, AFailingSaveGetsThatScheduleSavedAgain) {
    StartWith(Directory);
    CloseSettings();
    Calls made = CloseSettings([this](const Object& directory) {
        Add(directory, "Nils Nord", Required);
        outlook.failMember("AppointmentItem.Save", "store is full", 3);  // the settings item, All, People
    });
    EXPECT_TRUE(Logged("UpdateGroupSchedule:store is full"));
    made = CloseSettings();
    ExpectAsRebuilt("at the next close");
    EXPECT_EQ(Made(made, "AppointmentItem.Save"), 2) << "the settings item and People";
}

TEST_F(GroupScheduleDifferenceTest, AMemberThatCannotBeReadGetsItsScheduleRefilledAtOnce) {
    StartWith(Directory);
    CloseSettings();
    // A new connection reads the members.
    session.shutdown();
    Start();
    // The directory's 6 names come first, then the All schedule's members.
    Calls made = CloseSettings([this](const Object& directory) {
        directory.call("Remove", {int16_t{2}});
        outlook.failMember("Recipient.Name", "name unreadable", 6 + 2);
    });
    EXPECT_TRUE(Logged("UpdateGroupSchedule:name unreadable"));
    ExpectAsRebuilt("after a member could not be read");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 5) << "All was refilled";
}

TEST_F(GroupScheduleDifferenceTest, ADirectoryReadingThatFailsOnceStillGivesTheSchedulesTheWholeDirectory) {
    StartWith(Directory);
    CloseSettings();
    CloseSettings([this](const Object& directory) {
        directory.call("Remove", {int16_t{1}});
        Add(directory, "Nils Nord", Required);
        outlook.failMember("Recipient.Type", "type unreadable", 3);
    });
    EXPECT_TRUE(Logged("SettingsItem_Close:type unreadable"));
    EXPECT_EQ(ListTexts("PeopleList"), (std::vector<std::string>{"Bo Ek", "Eva Ek"})) << "the lists stop where the reading failed";
    EXPECT_EQ(CountLoggedUnder("UpdateGroupSchedule:"), 0);
    ExpectAsRebuilt("after the reading failed once");
}

TEST_F(GroupScheduleDifferenceTest, ADirectoryThatCannotBeReadLeavesTheSchedulesUntilTheNextClose) {
    StartWith(Directory);
    CloseSettings();
    CloseSettings([this](const Object& directory) {
        directory.call("Remove", {int16_t{1}});
        outlook.failMember("Recipient.Type", "type unreadable");
    });
    EXPECT_TRUE(Logged("UpdateGroupSchedule:type unreadable"));
    EXPECT_EQ(outlook.recipients(Schedule(0)).size(), 6u) << "a part of the directory removes nothing";
    outlook.clearFaults();
    Calls made = CloseSettings();
    ExpectAsRebuilt("at the next close");
    EXPECT_EQ(Made(made, "Recipient.Resolve"), 5 + 3 + 2) << "every schedule is rebuilt";
}
