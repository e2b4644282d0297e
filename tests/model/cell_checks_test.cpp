// The cell check and the match check: writing digits, binding letters,
// their failure messages and the condition rule of the deductions.
#include <gtest/gtest.h>

#include "model/parser.h"
#include "support/text.h"

namespace varnokit {
namespace {

class CellChecks : public ::testing::Test {
protected:
    PuzzleState state;
    std::string pending() const { return testing::utf8(state.pending); }
};

TEST_F(CellChecks, CellCheckWritesWildcardAndBindsFreeLetter) {
    char star = '*', same = '4', letter = 'C', again = 'C';
    EXPECT_EQ(cellCheck(state, star, '4'), 0);
    EXPECT_EQ(cellCheck(state, same, '4'), 0);
    EXPECT_EQ(cellCheck(state, letter, '4'), 0);
    EXPECT_EQ(cellCheck(state, again, '4'), 0);
    EXPECT_EQ(std::string() + star + same + letter + again, "4444");
    EXPECT_EQ(state.letters.letter[2], 4);
    EXPECT_EQ(state.letters.taken[4], 1);
    EXPECT_EQ(pending(), "");
}

TEST_F(CellChecks, CellCheckFailures) {
    char digit = '3';
    EXPECT_EQ(cellCheck(state, digit, '5'), 1);
    EXPECT_EQ(digit, '3');
    char a = 'A', b = 'B', b2 = 'B';
    ASSERT_EQ(cellCheck(state, a, '1'), 0);
    EXPECT_EQ(cellCheck(state, b, '1'), 1);  // 1 is A's
    ASSERT_EQ(cellCheck(state, b2, '2'), 0);
    char b3 = 'B';
    EXPECT_EQ(cellCheck(state, b3, '7'), 1);  // B is 2
    EXPECT_EQ(b, 'B');
    EXPECT_EQ(b3, 'B');
    EXPECT_EQ(pending(), "5であるべき数字が5でない。1であるべき桁に矛盾。7であるべき桁に矛盾。");
}

TEST_F(CellChecks, MatchCheckCopiesAndBinds) {
    char s1 = '*', d1 = '6', d2 = '8', s2 = '*', l1 = 'D', d3 = '9', d4 = '5', l2 = 'E', s3 = '*', s4 = '*';
    EXPECT_EQ(matchCheck(state, s1, d1), 0);
    EXPECT_EQ(matchCheck(state, d2, s2), 0);
    EXPECT_EQ(matchCheck(state, l1, d3), 0);
    EXPECT_EQ(matchCheck(state, d4, l2), 0);
    EXPECT_EQ(matchCheck(state, s3, s4), 0);
    EXPECT_EQ(std::string() + s1 + s2 + l1 + l2 + s3 + s4, "6895**");
    EXPECT_EQ(state.letters.letter[3], 9);
    EXPECT_EQ(state.letters.letter[4], 5);
    EXPECT_EQ(pending(), "");
}

TEST_F(CellChecks, MatchCheckFailures) {
    char d1 = '1', d2 = '2', a = 'A', b = 'B', a2 = 'A', three = '3', f = 'F', one = '1';
    ASSERT_EQ(cellCheck(state, a2, '1'), 0);  // A is 1
    EXPECT_EQ(matchCheck(state, d1, d2), 1);
    EXPECT_EQ(matchCheck(state, a, b), 1);
    EXPECT_EQ(matchCheck(state, a, three), 1);  // A is 1, not 3
    EXPECT_EQ(matchCheck(state, one, f), 1);    // 1 is taken by A
    EXPECT_EQ(std::string() + d1 + d2 + a + b + three + f, "12AB3F");
    EXPECT_EQ(pending(), "一致すべき数字が異なる。一致すべき文字が異なる。文字に矛盾。文字に矛盾。");
}

TEST_F(CellChecks, ConditionRuleKeepsWildcardOnlyForConditionDigit) {
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
