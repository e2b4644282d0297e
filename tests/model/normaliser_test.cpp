// Normalisation of typed cp932 lines into digits, blanks, '*' and mask
// letters, and the trimming of typed lines.
#include <gtest/gtest.h>

#include "model/normaliser.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::sjis;

// Normalises UTF-8 lines as one puzzle, in order; "!" marks a failed line.
std::vector<std::string> normaliseAll(PuzzleState& state, std::initializer_list<std::string> lines) {
    std::vector<std::string> out;
    bool reset = true;
    for (const std::string& line : lines) {
        std::string text = sjis(line);
        out.push_back(normaliseLine(state, text, reset) ? text : "!");
    }
    return out;
}

using V = std::vector<std::string>;

TEST(Normaliser, DigitsBlanksAndWildcards) {
    PuzzleState state;
    EXPECT_EQ(normaliseAll(state, {" 12 *90", "１２＊", "　７"}), (V{" 12 *90", "12*", " 7"}));
    EXPECT_EQ(state.maskCount, 0);
}

TEST(Normaliser, MasksFollowFirstAppearanceAcrossLines) {
    PuzzleState state;
    EXPECT_EQ(normaliseAll(state, {"ア*", "イア"}), (V{"A*", "BA"}));
    EXPECT_EQ(normaliseAll(state, {"ＡＢa", "aａ"}), (V{"ABC", "CC"}));
    EXPECT_EQ(state.maskCount, 3);
}

TEST(Normaliser, HalfWidthPunctuationSharesMaskWithItsFullWidthForm) {
    PuzzleState state;
    // The five characters whose full-width form is not the ordinary one.
    EXPECT_EQ(normaliseAll(state, {"-ー", "\"”", "'’", "\\￥", "`‘", "!！"}), (V{"AA", "BB", "CC", "DD", "EE", "FF"}));
}

TEST(Normaliser, EleventhMaskFailsAndOnlyTheResetFlagStartsAgain) {
    PuzzleState state;
    EXPECT_EQ(normaliseAll(state, {"abcde", "fghij", "a1j"})[2], "A1J");
    EXPECT_EQ(normaliseAll(state, {"abcde", "fghij", "k"})[2], "!");
    EXPECT_EQ(state.maskCount, 10);
    bool reset = false;
    std::string kept = sjis("j"), fresh = sjis("k");
    ASSERT_TRUE(normaliseLine(state, kept, reset));  // the ten bindings stay
    EXPECT_EQ(kept, "J");
    reset = true;
    ASSERT_TRUE(normaliseLine(state, fresh, reset));
    EXPECT_EQ(fresh, "A");
    EXPECT_FALSE(reset);
    EXPECT_EQ(state.maskCount, 1);
}

TEST(Normaliser, BytesThatAreNoCellsPassThroughOneByteEach) {
    PuzzleState state;
    bool reset = true;
    std::string line = sjis("ｱ~") + "\t";
    ASSERT_TRUE(normaliseLine(state, line, reset));
    EXPECT_EQ(line, "\xb1~\t");
    // A lead byte at the end or before a byte that cannot follow it stands
    // alone and never swallows the widened byte after it.
    for (std::string broken : {std::string("1\x82"), std::string("\x82" "1"), std::string("\x82 ")}) {
        std::string text = broken;
        ASSERT_TRUE(normaliseLine(state, text, reset));
        EXPECT_NE(text.find('\x7f'), std::string::npos) << testing::utf8(broken);
        EXPECT_EQ(text.size(), 2u);
    }
    EXPECT_EQ(state.maskCount, 0);
}

TEST(Normaliser, TrimsBlanksControlBytesAndIdeographicSpaces) {
    EXPECT_EQ(trimLine(sjis("\t 　 12　 \r")), "12");
    EXPECT_EQ(rightTrimLine(sjis("　 96 　")), sjis("　 96"));
    EXPECT_EQ(trimLine(sjis("　　")), "");
    // ａ is 0x82 0x81; with '@' after it the last two bytes look like an
    // ideographic space but are not one.
    EXPECT_EQ(rightTrimLine(sjis("ａ@")), sjis("ａ@"));
}

}  // namespace
}  // namespace varnokit
