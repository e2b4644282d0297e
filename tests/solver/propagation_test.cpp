// Bound propagation on hand-built records: initial ranges, each narrowing
// rule, the two passes, fixing cells and contradictions.
#include <gtest/gtest.h>

#include "solver/propagation.h"
#include "solver/written_division.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::handPattern;
using testing::loadPattern;
using testing::sjis;

struct Loaded {
    PuzzleState state;
    WorkRow& row(int index) { return state.work.rows[index]; }
    DigitRange range(int index, int j) { return state.work.rows[index].ranges[j]; }
};

void load(Loaded& loaded, const testing::HiddenPuzzle& puzzle) { loadPattern(loaded.state, puzzle); }

TEST(Propagation, InitialRangesFollowTheCells) {
    WorkRow row{};
    std::snprintf(row.text, sizeof row.text, "*3A*");
    row.length = 4;
    initialRanges(row);
    EXPECT_EQ(row.ranges[0].hi, 9);
    EXPECT_EQ(row.ranges[0].lo, 1);  // no number begins with 0
    EXPECT_EQ(row.ranges[1].hi, 3);
    EXPECT_EQ(row.ranges[1].lo, 3);
    EXPECT_EQ(row.ranges[2].lo, 0);
    EXPECT_EQ(row.ranges[3].hi, 9);
    EXPECT_EQ(row.ranges[3].lo, 0);

    std::snprintf(row.text, sizeof row.text, "B");
    row.length = 1;
    initialRanges(row);
    EXPECT_EQ(row.ranges[0].lo, 1);
}

TEST(Propagation, QuotientDigitsOrderedByProductLength) {
    // Known 5 at position 0: a longer product at position 1 needs a larger digit.
    Loaded longer;
    load(longer, handPattern("**", "5*", "****", {"**", "***", "***"}, 0));
    ASSERT_EQ(propagateBounds(longer.state), 0);
    EXPECT_EQ(longer.range(kQuotientRow, 1).lo, 6);
    EXPECT_EQ(longer.range(kQuotientRow, 1).hi, 9);

    // A shorter product at position 1 needs a smaller digit.
    Loaded shorter;
    load(shorter, handPattern("**", "5*", "****", {"***", "**", "**"}, 0));
    ASSERT_EQ(propagateBounds(shorter.state), 0);
    EXPECT_EQ(shorter.range(kQuotientRow, 1).hi, 4);
    EXPECT_EQ(shorter.range(kQuotientRow, 1).lo, 0);
}

TEST(Propagation, DivisorFirstDigitFromAKnownQuotientDigit) {
    // 2 × divisor has two digits: the divisor's first digit is 1…4.
    Loaded two;
    load(two, handPattern("**", "2", "**", {"**"}, 0));
    ASSERT_EQ(propagateBounds(two.state), 0);
    EXPECT_EQ(two.range(kDivisorRow, 0).lo, 1);
    EXPECT_EQ(two.range(kDivisorRow, 0).hi, 4);

    // 9 × divisor has three digits: (100/9)/10 = 1 and (999/9)/10 = 11 keep 1…9.
    Loaded nine;
    load(nine, handPattern("**", "9", "***", {"***"}, 0));
    ASSERT_EQ(propagateBounds(nine.state), 0);
    EXPECT_EQ(nine.range(kDivisorRow, 0).lo, 1);
    EXPECT_EQ(nine.range(kDivisorRow, 0).hi, 9);
}

TEST(Propagation, KnownZeroInTheQuotientTakesNoPart) {
    // Were the 0 used, its empty product (length 0) would push both other
    // positions above 0 and bound the divisor by 10^-1.
    Loaded loaded;
    load(loaded, handPattern("**", "*0*", "****", {"**", "", "", "***", "**"}, 0));
    ASSERT_EQ(propagateBounds(loaded.state), 0);
    EXPECT_EQ(loaded.range(kQuotientRow, 0).lo, 1);
    EXPECT_EQ(loaded.range(kQuotientRow, 0).hi, 9);
    EXPECT_EQ(loaded.range(kQuotientRow, 2).lo, 0);
    EXPECT_EQ(loaded.range(kQuotientRow, 2).hi, 9);
    EXPECT_EQ(loaded.range(kDivisorRow, 0).lo, 1);
    EXPECT_EQ(loaded.range(kDivisorRow, 0).hi, 9);
}

TEST(Propagation, SecondPassUsesDigitsFixedByTheFirst) {
    // The 2 with a longer product fixes position 0 to 1 in the first pass;
    // in the second pass that 1, with a shorter product than position 2's,
    // lifts position 2 to at least 2. One pass would leave it at 0.
    Loaded loaded;
    load(loaded, handPattern("*", "*2*", "***", {"*", "**", "**", "**", "**"}, 0));
    ASSERT_EQ(propagateBounds(loaded.state), 0);
    EXPECT_EQ(loaded.row(kQuotientRow).text[0], '1');
    EXPECT_EQ(loaded.range(kQuotientRow, 2).lo, 2);
}

TEST(Propagation, FixedCellsAreWrittenAndLettersBound) {
    Loaded loaded;
    load(loaded, handPattern("A*", "5", "**", {"**"}, 0));
    ASSERT_EQ(propagateBounds(loaded.state), 0);
    // 5 × divisor has two digits: the divisor begins with 1.
    EXPECT_EQ(loaded.row(kDivisorRow).text[0], '1');
    EXPECT_EQ(loaded.state.letters.letter[0], 1);
    EXPECT_EQ(loaded.state.letters.taken[1], 1);
    EXPECT_TRUE(loaded.state.pending.empty());
}

TEST(Propagation, TypedDigitEqualToTheFixedValuePasses) {
    Loaded loaded;
    load(loaded, handPattern("1*", "5", "**", {"**"}, 0));
    EXPECT_EQ(propagateBounds(loaded.state), 0);
    EXPECT_STREQ(loaded.row(kDivisorRow).text, "1*");
    EXPECT_TRUE(loaded.state.pending.empty());
}

TEST(Propagation, StarNarrowedToTheConditionDigitStaysStar) {
    Loaded loaded;
    load(loaded, handPattern("**", "5", "**", {"**"}, 0, 1));
    EXPECT_EQ(propagateBounds(loaded.state), 0);
    EXPECT_STREQ(loaded.row(kDivisorRow).text, "**");
    EXPECT_EQ(loaded.range(kDivisorRow, 0).lo, 1);
    EXPECT_EQ(loaded.range(kDivisorRow, 0).hi, 1);
}

TEST(Propagation, ContradictionInTheQuotientStopsBeforeRuleB) {
    // Position 0 is narrowed to 1, but 1 already belongs to letter B.
    Loaded loaded;
    load(loaded, handPattern("*", "A2*", "***", {"*", "**", "**", "**", "**"}, 0));
    loaded.state.letters.letter[1] = 1;
    loaded.state.letters.taken[1] = 1;
    EXPECT_EQ(propagateBounds(loaded.state), 1);
    EXPECT_EQ(loaded.state.pending, sjis("1であるべき桁に矛盾。問題に矛盾。"));
    // Rule B would have raised the divisor's first digit to 5 (2 × d ≥ 10).
    EXPECT_EQ(loaded.range(kDivisorRow, 0).lo, 1);
}

TEST(Propagation, EmptyRangeIsNotAContradiction) {
    // 5 × divisor has two digits, so the divisor would begin with 1, not 3:
    // the range empties, and the search simply finds nothing.
    Loaded loaded;
    load(loaded, handPattern("3*", "5", "***", {"**"}, 0));
    EXPECT_EQ(propagateBounds(loaded.state), 0);
    EXPECT_TRUE(loaded.state.pending.empty());
    EXPECT_GT(loaded.range(kDivisorRow, 0).lo, loaded.range(kDivisorRow, 0).hi);
    EXPECT_STREQ(loaded.row(kDivisorRow).text, "3*");
}

TEST(Propagation, DifferenceRowBoundsTheProductBelowIt) {
    // Rule C: R_1 begins with 4, so P_1 of the same length begins with at most 4.
    Loaded known;
    load(known, handPattern("**", "**", "****", {"**", "4**", "***"}, 0));
    ASSERT_EQ(propagateBounds(known.state), 0);
    EXPECT_EQ(known.range(partialProductRow(1), 0).hi, 4);

    // P_1 begins with 3, so R_1 begins with at least 3.
    Loaded product;
    load(product, handPattern("**", "**", "****", {"**", "***", "3**"}, 0));
    ASSERT_EQ(propagateBounds(product.state), 0);
    EXPECT_EQ(product.range(differenceRow(1), 0).lo, 3);
}

TEST(Propagation, FirstDigitOfARemainder) {
    // 7?? less 5?: a remainder of two digits followed by one brought-down
    // digit begins with at most 7 - 5 = 2; rule D passes that on to P_1.
    Loaded loaded;
    load(loaded, handPattern("**", "**", "7**", {"5*", "***", "***"}, 0));
    ASSERT_EQ(propagateBounds(loaded.state), 0);
    EXPECT_EQ(loaded.range(differenceRow(1), 0).hi, 2);
    EXPECT_EQ(loaded.range(partialProductRow(1), 0).hi, 2);
}

TEST(Propagation, RemainderRuleCanFixACell) {
    // 2?? less 1? leaves at most 1 as the first digit of R_1, which is fixed.
    Loaded loaded;
    load(loaded, handPattern("**", "**", "2**", {"1*", "***", "***"}, 0));
    ASSERT_EQ(propagateBounds(loaded.state), 0);
    EXPECT_EQ(loaded.row(differenceRow(1)).text[0], '1');
    EXPECT_EQ(loaded.row(partialProductRow(1)).text[0], '1');
}

}  // namespace
}  // namespace varnokit

namespace varnokit {
namespace {

testing::HiddenPuzzle withRemainder(testing::HiddenPuzzle puzzle, const std::string& cells) {
    puzzle.remainderPattern = cells;
    return puzzle;
}

TEST(Propagation, OpenRemainderGetsRangesAndIsBelowTheDivisor) {
    // One cell may be 0; more cells begin with 1 … 9, at most the divisor's first digit.
    Loaded one;
    load(one, withRemainder(handPattern("4", "*", "**", {"**"}, 0), "*"));
    ASSERT_EQ(propagateBounds(one.state), 0);
    EXPECT_EQ(one.range(kRemainderRow, 0).lo, 0);
    EXPECT_EQ(one.range(kRemainderRow, 0).hi, 3);  // below the one-digit divisor

    Loaded two;
    load(two, withRemainder(handPattern("3*", "*", "***", {"***"}, 0), "**"));
    ASSERT_EQ(propagateBounds(two.state), 0);
    EXPECT_EQ(two.range(kRemainderRow, 0).lo, 1);
    EXPECT_EQ(two.range(kRemainderRow, 0).hi, 3);
    EXPECT_EQ(two.range(kRemainderRow, 1).lo, 0);

    // A remainder beginning with 7 needs a divisor beginning with 7 or more.
    Loaded seven;
    load(seven, withRemainder(handPattern("**", "*", "***", {"***"}, 0), "7*"));
    ASSERT_EQ(propagateBounds(seven.state), 0);
    EXPECT_EQ(seven.range(kDivisorRow, 0).lo, 7);
}

TEST(Propagation, OpenRemainderCellNarrowedToOneDigitIsFixed) {
    Loaded fixed;
    load(fixed, withRemainder(handPattern("1*", "*", "***", {"***"}, 0), "**"));
    ASSERT_EQ(propagateBounds(fixed.state), 0);
    EXPECT_STREQ(fixed.row(kRemainderRow).text, "1*");

    // Not the condition digit into a '*': it stays, and the search finds nothing.
    Loaded condition;
    load(condition, withRemainder(handPattern("1*", "*", "***", {"***"}, 0, 1), "**"));
    ASSERT_EQ(propagateBounds(condition.state), 0);
    EXPECT_STREQ(condition.row(kRemainderRow).text, "**");
}

TEST(Propagation, RemainderTypedAsANumberChangesNothing) {
    // The divisor's first digit is not raised by a remainder in digits: a
    // puzzle of that kind keeps exactly the ranges it always had.
    Loaded typed;
    load(typed, handPattern("**", "*", "***", {"***"}, 75));
    ASSERT_EQ(propagateBounds(typed.state), 0);
    EXPECT_EQ(typed.range(kDivisorRow, 0).lo, 1);
}

}  // namespace
}  // namespace varnokit
