#include <gtest/gtest.h>

#include "directory/directory_list.h"
#include "outlook.h"
#include "platform/platform.h"
#include "ui/headless/headless_toolkit.h"

using ui::headless::HeadlessListBox;

namespace {

struct DirectoryListTest : testing::Test {
    HeadlessListBox widget{true};
    DirectoryList list{widget};

    void fill(std::initializer_list<const char*> names) {
        for (const char* name : names) list.Append(name, DirectoryList::DirectoryEntry);
    }
};

}  // namespace

TEST_F(DirectoryListTest, MatchesNamesExactlyAndOnlyTheFirstEqualEntry) {
    fill({"Anna Berg", "Carl Dahl", "Anna Berg"});
    list.AddItemIfNew("Anna Berg", true);
    list.AddItemIfNew("anna berg", true);
    list.AddItemIfNew("Carl Dahl ", false);
    ASSERT_EQ(widget.count(), 5);
    EXPECT_TRUE(widget.selected(0));
    EXPECT_FALSE(widget.selected(2));
    EXPECT_EQ(widget.text(3), "anna berg");
    EXPECT_EQ(widget.itemData(3), DirectoryList::AppointmentOnly);
    EXPECT_TRUE(widget.selected(3));
    EXPECT_EQ(widget.text(4), "Carl Dahl ");
    EXPECT_FALSE(widget.selected(4));
}

TEST_F(DirectoryListTest, ClearKeepsOnlyTheDirectoryUnchosen) {
    fill({"Anna Berg", "Room 1"});
    list.AddItemIfNew("Anna Berg", true);
    list.AddItemIfNew("Guest", true);
    list.Clear();
    ASSERT_EQ(widget.count(), 2);
    EXPECT_FALSE(widget.selected(0));
    EXPECT_EQ(widget.itemData(1), DirectoryList::DirectoryEntry);
    // The removed guest is no longer found: it comes back as a new entry.
    list.AddItemIfNew("Guest", false);
    EXPECT_EQ(widget.count(), 3);
}

TEST_F(DirectoryListTest, ChosenNamesEndInTheSeparator) {
    fill({"Anna Berg", "Carl Dahl", "Eva Ek"});
    EXPECT_EQ(list.ChosenNames(), "");
    widget.click(0);
    widget.click(2);
    EXPECT_EQ(list.ChosenNames(), "Anna Berg;Eva Ek;");
    widget.click(0);
    EXPECT_EQ(list.ChosenNames(), "Eva Ek;");
}

TEST_F(DirectoryListTest, LookUpsStayRightAfterRemovalsInTheMiddle) {
    list.Append("Guest", DirectoryList::AppointmentOnly);
    fill({"Anna Berg"});
    list.Clear();
    ASSERT_EQ(widget.count(), 1);
    list.AddItemIfNew("Anna Berg", true);
    EXPECT_EQ(widget.count(), 1);
    EXPECT_TRUE(widget.selected(0));
}

namespace {

// Narrowing folds names by the platform's rules, which the simulated Outlook supplies.
struct DirectoryFilterTest : DirectoryListTest {
    sim::Outlook outlook;

    void SetUp() override { outlook.makeCurrent(); }
    void filter(const std::string& typed) { list.SetFilter(platform::services().searchKey(typed)); }
    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        for (int row = 0; row < widget.count(); ++row) texts.push_back(widget.text(row));
        return texts;
    }
};

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(DirectoryFilterTest, NarrowsByAnyPartOfTheNameWithoutCaseOrAccents) {
    fill({"Zoë Ångström", "Anna Berg", "ZOE Zimmer", "Room Zoetrope", "李雷"});
    filter("zoe");
    EXPECT_EQ(shown(), (Strings{"Zoë Ångström", "ZOE Zimmer", "Room Zoetrope"}));
    filter("ANGS");
    EXPECT_EQ(shown(), Strings{"Zoë Ångström"});
    filter("雷");
    EXPECT_EQ(shown(), Strings{"李雷"});
    filter("nobody");
    EXPECT_TRUE(shown().empty());
    filter("");
    EXPECT_EQ(widget.count(), 5);
}

TEST_F(DirectoryFilterTest, ChoicesSurviveNarrowingAndHiddenOnesAreStillBooked) {
    fill({"Anna Berg", "Carl Dahl", "Eva Ek"});
    widget.click(0);
    filter("e");
    ASSERT_EQ(shown(), (Strings{"Anna Berg", "Eva Ek"}));
    EXPECT_TRUE(widget.selected(0));
    widget.click(1);
    filter("carl");
    EXPECT_EQ(list.HiddenChosenCount(), 2);
    EXPECT_EQ(list.ChosenNames(), "Anna Berg;Eva Ek;");
    widget.click(0);
    EXPECT_EQ(list.ChosenNames(), "Anna Berg;Carl Dahl;Eva Ek;");
    filter("");
    EXPECT_EQ(list.HiddenChosenCount(), 0);
    EXPECT_EQ(list.ChosenEntries(), (std::vector<int>{0, 1, 2}));
    for (int row = 0; row < 3; ++row) EXPECT_TRUE(widget.selected(row)) << row;
}

TEST_F(DirectoryFilterTest, EntriesAddedOrClearedWhileNarrowedFollowTheFilter) {
    fill({"Anna Berg", "Room 4"});
    list.SetAvailability(1, ui::Availability::Busy);
    filter("room");
    list.AddItemIfNew("Guest Room", true);
    list.AddItemIfNew("Anna Berg", true);
    EXPECT_EQ(shown(), (Strings{"Room 4", "Guest Room"}));
    EXPECT_EQ(widget.mark(0), ui::Availability::Busy) << "a mark is kept when shown again";
    EXPECT_EQ(list.ChosenNames(), "Anna Berg;Guest Room;");
    list.Clear();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(shown(), Strings{"Room 4"});
    EXPECT_EQ(list.ChosenNames(), "");
    list.ForgetAvailability();
    EXPECT_EQ(widget.mark(0), ui::Availability::Unknown);
}
