// UTF-8 problem files at the edge: every character cp932 holds is taken for
// UTF-8 in its UTF-8 form, and the boxes convert all or nothing.
#include <gtest/gtest.h>

#include "encoding/cp932.h"
#include "encoding/problem_text.h"
#include "support/text.h"

namespace varnokit {
namespace {

TEST(Utf8ProblemFiles, EveryCp932CharacterInUtf8IsTakenForUtf8) {
    // The repertoire test of the reader must not turn any cp932 character's
    // UTF-8 form away, or a UTF-8 file holding it would load as garbage.
    int checked = 0;
    auto check = [&](const std::string& cp932) {
        std::string utf8;
        if (!cp932ToUtf8(cp932, utf8).ok) return;  // not a character
        ++checked;
        EXPECT_TRUE(looksLikeUtf8(utf8)) << utf8;
        EXPECT_EQ(cp932Length(utf8, TextEncoding::Utf8), cp932.size()) << utf8;
    };
    for (int b = 0xA1; b <= 0xDF; ++b) check(std::string(1, static_cast<char>(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead <= 0xDF) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F) check({static_cast<char>(lead), static_cast<char>(trail)});
    }
    EXPECT_GT(checked, 9000);
}

TEST(Utf8ProblemFiles, BoxesConvertAllOrNothing) {
    ProblemBoxes utf8;
    utf8.encoding = TextEncoding::Utf8;
    utf8.notes = {"メモ", ""};
    utf8.divisor = "ア*";
    utf8.quotient = "78";
    utf8.body = {"９３６", "　84"};
    utf8.condition = "5";
    ProblemBoxes converted = utf8;
    EXPECT_EQ(boxesToCp932(converted).result, BoxesText::FromUtf8);
    EXPECT_EQ(converted.encoding, TextEncoding::Cp932);
    EXPECT_EQ(converted.notes, (std::vector<std::string>{testing::sjis("メモ"), ""}));
    EXPECT_EQ(converted.divisor, testing::sjis("ア*"));
    EXPECT_EQ(converted.body, (std::vector<std::string>{testing::sjis("９３６"), testing::sjis("　84")}));

    ProblemBoxes emoji = utf8;
    emoji.body.push_back("1😀");
    const BoxesConversion e = boxesToCp932(emoji);
    EXPECT_EQ(e.result, BoxesText::Unmappable);
    EXPECT_EQ(e.badCharacter, "😀");
    EXPECT_EQ(emoji.divisor, "ア*");  // untouched
    EXPECT_EQ(emoji.encoding, TextEncoding::Utf8);

    ProblemBoxes broken = utf8;
    broken.notes.push_back("a\xE3\x82");
    EXPECT_EQ(boxesToCp932(broken).result, BoxesText::NotUtf8);
    EXPECT_EQ(broken.divisor, "ア*");

    ProblemBoxes cp932 = converted;
    EXPECT_EQ(boxesToCp932(cp932).result, BoxesText::Cp932);
    cp932.notes.push_back("\xFF");
    EXPECT_EQ(boxesToCp932(cp932).result, BoxesText::NotCp932);
    EXPECT_EQ(cp932.notes.back(), "\xFF");  // left for the checks, as always
}

}  // namespace
}  // namespace varnokit
