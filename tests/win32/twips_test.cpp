#include "win32/twips.h"

#include <gtest/gtest.h>

namespace {

TEST(Twips, AnInchIsTheDisplaysDpi) {
    EXPECT_EQ(win32::twipsToPixels(1440, 96), 96);
    EXPECT_EQ(win32::twipsToPixels(1440, 144), 144);
}

TEST(Twips, FormSizesRoundToTheNearestPixel) {
    // The About dialog's client area, 5730 x 3555 twips.
    EXPECT_EQ(win32::twipsToPixels(5730, 96), 382);
    EXPECT_EQ(win32::twipsToPixels(3555, 96), 237);
    EXPECT_EQ(win32::twipsToPixels(5730, 120), 478);  // 477.5
    EXPECT_EQ(win32::twipsToPixels(7, 96), 0);
    EXPECT_EQ(win32::twipsToPixels(8, 96), 1);
}

TEST(Twips, LinkFontHeightAtCommonDpis) {
    EXPECT_EQ(win32::fontHeight(8.25, 96), -11);
    EXPECT_EQ(win32::fontHeight(8.25, 120), -14);
}

}  // namespace
