// The cell check and the match check: what they write, which letters they
// bind, what a failure leaves alone, and the condition rule.
#include <gtest/gtest.h>

#include "model/parser.h"
#include "support/text.h"

namespace varnokit {
namespace {

TEST(CellChecks, CellCheckWritesDigitsAndBindsLettersOnce) {
    PuzzleState state;
    char cells[] = "*4CCB3";
    EXPECT_EQ(cellCheck(state, cells[0], '4'), 0);
    EXPECT_EQ(cellCheck(state, cells[1], '4'), 0);
    EXPECT_EQ(cellCheck(state, cells[2], '4'), 0);  // binds C to 4
    EXPECT_EQ(cellCheck(state, cells[3], '4'), 0);  // C already 4
    EXPECT_EQ(cellCheck(state, cells[4], '4'), 1);  // 4 is C's
    EXPECT_EQ(cellCheck(state, cells[5], '5'), 1);
    EXPECT_EQ(std::string(cells), "4444B3");
    EXPECT_EQ(state.letters.letter[2], 4);
    EXPECT_EQ(state.letters.letter[1], -1);
    EXPECT_EQ(state.letters.taken[4], 1);
    EXPECT_EQ(testing::utf8(state.pending), "4であるべき桁に矛盾。5であるべき数字が5でない。");
}

TEST(CellChecks, MatchCheckCopiesBindsAndRefuses) {
    struct Pair {
        char a, b;
        const char* after;  // both cells afterwards
        int result;
    };
    // In order: each pair sees the letters bound by the pairs before it.
    const Pair pairs[] = {
        {'*', '6', "66", 0}, {'8', '*', "88", 0}, {'D', '9', "99", 0}, {'5', 'E', "55", 0}, {'*', '*', "**", 0},
        {'1', '2', "12", 1}, {'A', 'B', "AB", 1}, {'A', '3', "33", 0}, {'G', '3', "G3", 1}, {'A', '7', "A7", 1},
    };
    PuzzleState state;
    for (const Pair& p : pairs) {
        char a = p.a, b = p.b;
        EXPECT_EQ(matchCheck(state, a, b), p.result) << p.a << p.b;
        EXPECT_EQ(std::string() + a + b, p.after) << p.a << p.b;
    }
    EXPECT_EQ(state.letters.letter[3], 9);
    EXPECT_EQ(state.letters.letter[4], 5);
    EXPECT_EQ(state.letters.letter[0], 3);
    EXPECT_EQ(state.letters.letter[6], -1);
    EXPECT_EQ(testing::utf8(state.pending), "一致すべき数字が異なる。一致すべき文字が異なる。文字に矛盾。文字に矛盾。");
}

TEST(CellChecks, ConditionRuleKeepsWildcardOnlyForConditionDigit) {
    PuzzleState state;
    state.conditionDigit = 0;
    state.conditionChar = '0';
    char kept = '*', written = '*', other = '*', matchedA = '*', zero = '0', matchedB = '*';
    EXPECT_EQ(cellCheck(state, kept, '0', ConditionRule::KeepWildcard), 0);
    EXPECT_EQ(cellCheck(state, written, '0'), 0);
    EXPECT_EQ(cellCheck(state, other, '1', ConditionRule::KeepWildcard), 0);
    EXPECT_EQ(matchCheck(state, matchedA, zero, ConditionRule::KeepWildcard), 0);
    EXPECT_EQ(matchCheck(state, zero, matchedB), 0);
    EXPECT_EQ(std::string() + kept + written + other + matchedA + matchedB, "*01*0");
}

}  // namespace
}  // namespace varnokit
