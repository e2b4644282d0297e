// The mask table of each solution: every masking character with its digit,
// in the order the characters first appear, written as typed.
#include <gtest/gtest.h>

#include <memory>

#include "analysis/mask_table.h"
#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::sjis;

std::unique_ptr<PuzzleState> solved(const PuzzleInput& input) {
    auto state = std::make_unique<PuzzleState>();
    testing::FakeHooks hooks;
    solve(*state, input, hooks, SolveOptions{false});
    return state;
}

TEST(MaskTable, EachCharacterWithItsDigitInOrderOfFirstAppearance) {
    // 12 × 78 = 936 with the digits 1, 7 and 9 masked by katakana.
    const auto state = solved(PuzzleInput{sjis("ア2"), sjis("イ8"), {sjis("ウ36"), "84", " 96", " 96", "0"}, ""});
    ASSERT_EQ(state->solutions.count(), 1);
    const std::vector<MaskBinding> table = maskTable(*state, 0);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].character, sjis("ア"));
    EXPECT_EQ(table[0].digit, 1);
    EXPECT_EQ(table[1].character, sjis("イ"));
    EXPECT_EQ(table[1].digit, 7);
    EXPECT_EQ(table[2].digit, 9);
    EXPECT_EQ(maskTableLine(table), sjis("ア=1 イ=7 ウ=9"));
}

TEST(MaskTable, ADigitDiffersFromSolutionToSolution) {
    // The divisor's last digit masked: several solutions, each its own digit.
    const auto state = solved(PuzzleInput{"1x", "**", {"**6", "8*", " **", " **", "0"}, ""});
    ASSERT_GE(state->solutions.count(), 2);
    for (int64_t i = 0; i < state->solutions.count(); ++i) {
        const std::vector<MaskBinding> table = maskTable(*state, i);
        ASSERT_EQ(table.size(), 1u);
        EXPECT_EQ(table[0].character, "x");  // typed half-width, shown so
        Int128 values[kRowCount];
        state->solutions.rowValues(i, values);
        EXPECT_EQ(table[0].digit, static_cast<int>(values[kDivisorRow] % 10));
    }
}

TEST(MaskTable, EmptyWithoutMasks) {
    const auto state = solved(PuzzleInput{"12", "78", {"936", "84", " 96", " 96", "0"}, ""});
    EXPECT_TRUE(maskTable(*state, 0).empty());
    EXPECT_EQ(maskTableLine({}), "");
}

}  // namespace
}  // namespace varnokit
