#include <gtest/gtest.h>

#include "directory/directory_list.h"
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
