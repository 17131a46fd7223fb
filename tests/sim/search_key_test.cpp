#include <gtest/gtest.h>

#include "search_key.h"

using sim::FoldForSearch;

TEST(SearchKeyTest, CaseAndAccentsGoScriptsWithoutThemStay) {
    EXPECT_EQ(FoldForSearch("Zoë Ångström"), "zoe angstrom");
    EXPECT_EQ(FoldForSearch("ZOË ÅNGSTRÖM"), "zoe angstrom");
    EXPECT_EQ(FoldForSearch("Zoe\u0308"), "zoe") << "a mark already apart";
    EXPECT_EQ(FoldForSearch("Straße"), "strasse");
    EXPECT_EQ(FoldForSearch("李雷"), "李雷");
    EXPECT_EQ(FoldForSearch("Ωmega Room"), "ωmega room");
    EXPECT_EQ(FoldForSearch(""), "");
}
