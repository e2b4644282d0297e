// Solver order, the remainder's value and the digits the layout forces:
// zero quotient digits, borrows, one-digit quotients, and inputs the
// record cannot hold.
#include <gtest/gtest.h>

#include "check_steps.h"

namespace varnokit {
namespace {

using testing::makeInput;
using testing::runChecks;
using testing::Step;
using testing::text;

TEST(LayoutDeductions, ZeroQuotientDigitGetsEmptyPairAndDigitZero) {
    for (const char* condition : {"", "0"}) {
        PuzzleState state;
        PuzzleInput input = makeInput("12", "7*8", {"8496", "84", "  96", "  96", "0"}, condition);
        ASSERT_EQ(runChecks(state, input), Step::Done) << testing::utf8(state.pending);
        const WorkRecord& w = state.work;
        EXPECT_EQ(text(w.rows[4]), "84");
        EXPECT_EQ(w.rows[5].length, 0);
        EXPECT_EQ(w.rows[6].length, 0);
        EXPECT_EQ(text(w.rows[7]), "96");
        EXPECT_EQ(text(w.rows[8]), "96");
        EXPECT_EQ(w.rows[9].length, 0);
        EXPECT_EQ(text(state.problem.rows[7]), "  96");
        EXPECT_EQ(std::string(state.problem.rows[8].raw), "  96");
        // Under the condition "no * is 0" the digit stays '*': no solution.
        EXPECT_EQ(text(w.rows[1]), *condition ? "7*8" : "708");
    }
}

TEST(LayoutDeductions, OneDigitQuotientWithZeroRemainderMatchesDividend) {
    PuzzleState state;
    ASSERT_EQ(runChecks(state, makeInput("12", "8", {"9A", "*6", "0"})), Step::Done) << testing::utf8(state.pending);
    EXPECT_EQ(text(state.work.rows[2]), "96");
    EXPECT_EQ(text(state.work.rows[4]), "96");
    EXPECT_EQ(state.letters.letter[0], 6);
    EXPECT_EQ(state.work.rows[5].length, 0);
}

TEST(LayoutDeductions, NonzeroRemainderIsReadAndLeavesLastRowsAlone) {
    PuzzleState state;
    ASSERT_EQ(runChecks(state, makeInput("12", "78", {"947", "84", "10*", " 96", "11"})), Step::Done);
    EXPECT_EQ(state.work.rows[3].value, 11);
    EXPECT_EQ(text(state.work.rows[5]), "107");  // only the brought-down digit
    EXPECT_EQ(text(state.work.rows[6]), "96");
}

TEST(LayoutDeductions, ShortFirstProductBorrowsFromDividend) {
    // 1008 / 12 = 84: P_0 = 96 stands one column right, so the dividend
    // starts with 1; R_1 = 48 starts one column further, so 100 - 96.
    PuzzleState state;
    ASSERT_EQ(runChecks(state, makeInput("**", "**", {"****", " **", "  **", "  **", "0"})), Step::Done);
    EXPECT_EQ(text(state.work.rows[2]), "10**");
    EXPECT_EQ(text(state.work.rows[4]), "9*");
    // R_1 starting right under P_0 forces only the borrowed 1.
    ASSERT_EQ(runChecks(state, makeInput("**", "**", {"****", " **", " ***", " ***", "0"})), Step::Done);
    EXPECT_EQ(text(state.work.rows[2]), "1***");
    EXPECT_EQ(text(state.work.rows[4]), "**");
}

TEST(LayoutDeductions, QuotientEndingInZeroGetsEmptyPairsAndBringsDigitsIntoTheRemainder) {
    // 365720 / 51 = 7170 r 50: the last product ends one column early.
    PuzzleState state;
    ASSERT_EQ(runChecks(state, makeInput("5*", "71**", {"36572*", "357", "  87", "  51", "  362", "  357", "5*"})),
              Step::Done)
        << testing::utf8(state.pending);
    const WorkRecord& w = state.work;
    EXPECT_EQ(text(w.rows[partialProductRow(2)]), "357");
    EXPECT_EQ(w.rows[differenceRow(3)].length, 0);
    EXPECT_EQ(w.rows[partialProductRow(3)].length, 0);
    EXPECT_EQ(text(w.rows[kQuotientRow]), "71*0");  // the unwritten last digit is 0
    // The digit brought down after the last product is the remainder's last
    // cell; the one before it is not brought down there.
    EXPECT_EQ(text(w.rows[kDividendRow]), "36572*");
    EXPECT_EQ(text(w.rows[kRemainderRow]), "5*");
    EXPECT_TRUE(remainderIsOpen(w));

    ASSERT_EQ(runChecks(state, makeInput("5*", "71**", {"36572*", "357", "  87", "  51", "  362", "  357", "50"})),
              Step::Done);
    EXPECT_EQ(text(state.work.rows[kDividendRow]), "365720");
    EXPECT_EQ(state.work.rows[kRemainderRow].value, 50);
}

TEST(LayoutDeductions, ZeroRemainderAfterTrailingZerosMakesTheBroughtDownDigitsZero) {
    // 8400 / 12 = 700: P_0 matches the dividend's first two cells, the rest are 0.
    PuzzleState state;
    ASSERT_EQ(runChecks(state, makeInput("1*", "*00", {"****", "8*", "0"})), Step::Done);
    EXPECT_EQ(text(state.work.rows[kDividendRow]), "8*00");
    EXPECT_EQ(text(state.work.rows[kQuotientRow]), "*00");
}

TEST(LayoutDeductions, RejectsBrokenDoubleByteCharacterAndTooManyLines) {
    PuzzleState state;
    PuzzleInput input = makeInput("12", "78", {"936", "84", " 96", " 96", "0"});
    input.bodyLines[2] = " 9\x82";  // lead byte with nothing after it
    EXPECT_EQ(parse(state, input), ParseStatus::Failed);
    EXPECT_EQ(testing::utf8(state.pending), "部分積2行目に使えない文字がある。");

    state.pending.clear();
    input = makeInput("12", "78", {"936"});
    input.bodyLines.resize(31, " 96");
    EXPECT_EQ(parse(state, input), ParseStatus::Failed);
    EXPECT_EQ(testing::utf8(state.pending), "部分積行数が多すぎる。");
}

TEST(LayoutDeductions, EachParseStartsFromEmptyRecords) {
    PuzzleState state;
    ASSERT_EQ(runChecks(state, makeInput("12", "708", {"8496", "84", "  96", "  96", "0"})), Step::Done);
    ASSERT_EQ(runChecks(state, makeInput("12", "8", {"96", "96", "0"})), Step::Done);
    for (int r = 5; r < kRowCount; ++r) {
        EXPECT_EQ(state.work.rows[r].length, 0) << r;
        EXPECT_EQ(state.problem.rows[r].text[0], '\0') << r;
    }
}

}  // namespace
}  // namespace varnokit
