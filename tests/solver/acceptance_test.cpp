// The acceptance step: the dividend check, the remainder rule, letter
// bindings around the call and the stored solution.
#include <gtest/gtest.h>

#include "solver/fake_hooks.h"
#include "solver/search.h"
#include "solver/written_division.h"

namespace varnokit {
namespace {

using testing::FakeHooks;
using testing::handPattern;

struct Accepting {
    PuzzleState state;
    FakeHooks hooks{&state};
    SearchContext context{state, hooks, -1, {}, SearchStats{}};
    explicit Accepting(const testing::HiddenPuzzle& puzzle) {
        testing::loadPattern(state, puzzle);
        state.solutions.beginSearch(state.work);
    }
};

TEST(Acceptance, StoresAFittingDividendWithItsValues) {
    Accepting a(handPattern("12", "78", "9*6", {"84", "96", "96"}, 0));
    EXPECT_TRUE(acceptSolution(a.context, 12, 78));
    EXPECT_EQ(a.state.work.rows[kDividendRow].value, 936);
    ASSERT_EQ(a.state.solutions.count(), 1);
    EXPECT_EQ(a.state.solutions.current(), 0);
    EXPECT_EQ(a.hooks.shownCounts, std::vector<int64_t>{1});
    EXPECT_FALSE(acceptSolution(a.context, 12, 79));  // 948 does not fit 9*6
    EXPECT_EQ(a.state.solutions.count(), 1);
}

TEST(Acceptance, DividendLettersAreBoundForThisAcceptanceOnly) {
    Accepting a(handPattern("12", "78", "AB6", {"84", "96", "96"}, 0));
    EXPECT_TRUE(acceptSolution(a.context, 12, 78));
    EXPECT_EQ(a.state.letters.letter[0], -1);
    EXPECT_EQ(a.state.letters.taken[9], -1);
    a.state.letters.letter[0] = 8;  // A is taken as 8 elsewhere: 936 no longer fits
    a.state.letters.taken[8] = 1;
    EXPECT_FALSE(acceptSolution(a.context, 12, 78));
    EXPECT_EQ(a.state.letters.letter[0], 8);
    EXPECT_EQ(a.state.letters.letter[1], -1);
}

TEST(Acceptance, ConditionDigitInADividendStarRejects) {
    Accepting a(handPattern("*", "*", "**", {"**"}, 0, 7));
    EXPECT_FALSE(acceptSolution(a.context, 9, 3));  // 27
    EXPECT_TRUE(acceptSolution(a.context, 9, 4));   // 36
}

TEST(Acceptance, RemainderMustBeBelowTheDivisor) {
    // 3 × 2 + 4 = 10 fits every pattern, but 4 is no remainder of a division by 3.
    Accepting a(handPattern("*", "*", "**", {"*"}, 4));
    EXPECT_FALSE(acceptSolution(a.context, 3, 2));
    EXPECT_TRUE(acceptSolution(a.context, 5, 2));
    EXPECT_EQ(a.state.solutions.count(), 1);
}

TEST(Acceptance, ExactBeyondSixtyFourBits) {
    // 14-digit divisor × 14-digit quotient: a 28-digit dividend.
    const std::string divisor = "99999999999973";
    const std::string quotient = "99999999999971";
    Int128 d = 0, q = 0;
    ASSERT_TRUE(parseDecimal(divisor, d));
    ASSERT_TRUE(parseDecimal(quotient, q));
    const std::string dividend = toDecimal(d * q + 5);
    ASSERT_EQ(dividend.size(), 28u);
    std::string pattern = dividend;
    pattern[3] = '*';
    std::vector<std::string> interior(27, "");
    interior[0] = "*";  // only the shape of rows 0 to 3 matters here
    Accepting a(handPattern(divisor, quotient, pattern, interior, 5));
    EXPECT_TRUE(acceptSolution(a.context, d, q));
    EXPECT_EQ(toDecimal(a.state.work.rows[kDividendRow].value), dividend);
    EXPECT_FALSE(acceptSolution(a.context, d, q + 10));
}

}  // namespace
}  // namespace varnokit
