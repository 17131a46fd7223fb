#include "win32/member_names.h"

#include <gtest/gtest.h>

namespace {

const std::vector<win32::MemberName> members = {{u"OnConnection", 1}, {u"OnDisconnection", 2}};

TEST(MemberNames, MatchWithoutRegardToCase) {
    EXPECT_EQ(win32::findMember(members, u"OnConnection"), 1);
    EXPECT_EQ(win32::findMember(members, u"ONDISCONNECTION"), 2);
    EXPECT_EQ(win32::findMember(members, u"onconnection"), 1);
}

TEST(MemberNames, OnlyWholeNamesMatch) {
    EXPECT_EQ(win32::findMember(members, u"OnConnect"), std::nullopt);
    EXPECT_EQ(win32::findMember(members, u"OnConnectionX"), std::nullopt);
    EXPECT_EQ(win32::findMember(members, u""), std::nullopt);
}

}  // namespace
