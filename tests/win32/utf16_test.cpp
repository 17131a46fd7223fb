#include "win32/utf16.h"

#include <gtest/gtest.h>

namespace {

using win32::toUtf16;
using win32::toUtf8;

TEST(Utf16, RoundTripsEveryPlane) {
    const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";  // é, €, an emoji
    const std::u16string utf16 = toUtf16(text);
    EXPECT_EQ(utf16, u"Caf\u00E9 \u20AC \U0001F600");
    EXPECT_EQ(toUtf8(utf16), text);
}

TEST(Utf16, KeepsEmbeddedNulCharacters) {
    const std::string text("a\0b", 3);
    EXPECT_EQ(toUtf16(text).size(), 3u);
    EXPECT_EQ(toUtf8(toUtf16(text)), text);
}

TEST(Utf16, LoneSurrogatesSurviveARoundTrip) {
    // Outlook can hand over such text; writing it back must not change it.
    const std::u16string broken = {u'x', 0xD83D, u'y', 0xDC00};
    EXPECT_EQ(toUtf16(toUtf8(broken)), broken);
}

TEST(Utf16, MalformedUtf8BecomesReplacementCharactersWithoutLosingNeighbours) {
    EXPECT_EQ(toUtf16("a\xC3"), u"a\uFFFD");                          // truncated at the end
    EXPECT_EQ(toUtf16("\xE2\x82x"), u"\uFFFD\uFFFDx");                 // cut short by an ASCII letter
    EXPECT_EQ(toUtf16("a\xC0\xAF" "b"), u"a\uFFFD\uFFFDb");            // overlong form of '/'
    EXPECT_EQ(toUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // above U+10FFFF
    EXPECT_EQ(toUtf16("\xFF"), u"\uFFFD");
}

}  // namespace
