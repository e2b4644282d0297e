// The UTF-8 / cp932 edge: round trips, and failures that name where they are.
#include <gtest/gtest.h>

#include "encoding/cp932.h"

namespace varnokit {
namespace {

TEST(Cp932, RoundTripsJapaneseAndAscii) {
    const std::string utf8 = "解はありません。 12*ア";
    std::string sjis;
    ASSERT_TRUE(utf8ToCp932(utf8, sjis).ok);
    EXPECT_EQ(sjis.substr(0, 2), "\x89\xF0");  // 解
    std::string back;
    ASSERT_TRUE(cp932ToUtf8(sjis, back).ok);
    EXPECT_EQ(back, utf8);
}

TEST(Cp932, CharactersThatShiftJisLacksSurvive) {
    // Fullwidth tilde and minus, the double vertical line and the NEC extensions exist in cp932.
    const std::string utf8 = "～－∥①";
    std::string sjis, back;
    ASSERT_TRUE(utf8ToCp932(utf8, sjis).ok);
    ASSERT_TRUE(cp932ToUtf8(sjis, back).ok);
    EXPECT_EQ(back, utf8);
}

TEST(Cp932, UnmappableCharacterIsReportedNotReplaced) {
    std::string sjis;
    ConversionResult r = utf8ToCp932("12\xF0\x9F\x98\x80" "3", sjis);  // an emoji
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.badOffset, 2u);
    EXPECT_EQ(sjis, "12");
}

TEST(Cp932, InvalidBytesFailAndLossyShowsReplacement) {
    std::string out;
    EXPECT_FALSE(cp932ToUtf8("\x82", out).ok);      // lone lead byte at the end
    EXPECT_FALSE(cp932ToUtf8("a\x80" "b", out).ok);
    EXPECT_FALSE(cp932ToUtf8("\xFD", out).ok);
    EXPECT_EQ(cp932ToUtf8Lossy("a\x80" "b"), "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace varnokit
