#include "win32/error_codes.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t hresult(uint32_t bits) { return static_cast<int32_t>(bits); }

TEST(ErrorCodes, BasicErrorNumbersTravelAsControlFacilityHresults) {
    EXPECT_EQ(win32::hresultFromErrorNumber(13), hresult(0x800A000D));
    EXPECT_EQ(win32::errorNumberFromHresult(hresult(0x800A000D)), 13);
    EXPECT_EQ(win32::errorNumberFromHresult(win32::hresultFromErrorNumber(91)), 91);
}

TEST(ErrorCodes, OtherHresultsKeepTheirValue) {
    EXPECT_EQ(win32::hresultFromErrorNumber(hresult(0x80004002)), hresult(0x80004002));
    EXPECT_EQ(win32::errorNumberFromHresult(hresult(0x80004002)), hresult(0x80004002));
    EXPECT_EQ(win32::errorNumberFromHresult(hresult(0x800A0000)), hresult(0x800A0000));
}

TEST(ErrorCodes, NumbersWithoutAnHresultFormFailUnspecified) {
    EXPECT_EQ(win32::hresultFromErrorNumber(0), hresult(0x80004005));
    EXPECT_EQ(win32::hresultFromErrorNumber(0x10000), hresult(0x80004005));
}

TEST(ErrorCodes, DescriptionsOfFailuresWithoutText) {
    EXPECT_EQ(win32::basicErrorText(5), "Invalid procedure call or argument");
    EXPECT_EQ(win32::basicErrorText(438), "Object doesn't support this property or method");
    EXPECT_EQ(win32::basicErrorText(12345), "");
    EXPECT_EQ(win32::automationErrorText(hresult(0x80010108)), "Automation error 0x80010108");
    EXPECT_EQ(win32::trimMessage("No such interface supported\r\n"), "No such interface supported");
    EXPECT_EQ(win32::trimMessage("\r\n"), "");
}

}  // namespace
