// The uniqueness analysis over hand-built solution lists, against answers
// worked out by hand: which conditions and which revealed digits leave one solution.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/solved_state.h"
#include "analysis/uniqueness.h"
#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::Layout;
using testing::sjis;
using testing::solvedState;

std::vector<std::string> sjisLines(const std::vector<std::string>& utf8Lines) {
    std::vector<std::string> out;
    for (const std::string& line : utf8Lines) out.push_back(sjis(line));
    return out;
}

// 1* ) ** with quotient 7 and remainder 0: P_0 is the dividend itself.
Layout sevenTimes() { return Layout{"1*", "7", "", "**", {"**"}, 0}; }

TEST(AnalyseConditions, TwoSolutionsListDigitsUsedByExactlyOne) {
    // 12 x 7 = 84 and 13 x 7 = 91: the '*' cells hold {2,8,4} and {3,9,1}.
    // Digits used by neither (0, 5, 6, 7) are free in both and not listed.
    auto state = solvedState(sevenTimes(), {{12, 7}, {13, 7}});
    EXPECT_EQ(analyseConditions(*state),
              sjisLines({"条件により一意化可能", "  * ≠1", "  * ≠2", "  * ≠3", "  * ≠4", "  * ≠8",
                         "  * ≠9"}));
}

TEST(AnalyseDigits, TwoSolutionsReportEveryDifferingCellTwice) {
    auto state = solvedState(sevenTimes(), {{12, 7}, {13, 7}});
    EXPECT_EQ(analyseDigits(*state),
              sjisLines({"数字化により一意化可能", "  被除数: ** → 8*", "  被除数: ** → 9*",
                         "  被除数: ** → *1", "  被除数: ** → *4", "  除数: 1* → 12", "  除数: 1* → 13",
                         "  部分積1行目: ** → 8*", "  部分積1行目: ** → 9*", "  部分積1行目: ** → *1",
                         "  部分積1行目: ** → *4"}));
}

// Three solutions, the dividend's last cell a mask letter matched with P_0's,
// and the condition "no * is 5" in force: letters are never counted or
// reported, and the condition digit is free in every solution.
Layout lettered() { return Layout{"1*", "7", "", "*A", {"*A"}, 0}; }

TEST(AnalyseConditions, SeveralSolutionsWithLettersAndACondition) {
    // '*' cells: 12 -> {2,8}, 13 -> {3,9}, 14 -> {4,9}. Only 9 is free in exactly one.
    auto state = solvedState(lettered(), {{12, 7}, {13, 7}, {14, 7}});
    state->conditionDigit = 5;
    state->conditionChar = '5';
    EXPECT_EQ(analyseConditions(*state), sjisLines({"条件により一意化可能", "  * ≠9"}));
}

TEST(AnalyseDigits, SeveralSolutionsSkipLettersAndSharedDigits) {
    // Dividend 84, 91, 98: its first cell is 9 twice, so only 8 reveals one.
    auto state = solvedState(lettered(), {{12, 7}, {13, 7}, {14, 7}});
    EXPECT_EQ(analyseDigits(*state),
              sjisLines({"数字化により一意化可能", "  被除数: *A → 8A", "  除数: 1* → 12",
                         "  除数: 1* → 13", "  除数: 1* → 14", "  部分積1行目: *A → 8A"}));
}

// 1* ) **** with quotient *** whose middle digit the layout forces to 0:
// P_0, an empty pair, then R_2 and P_2 typed two columns in.
Layout zeroDigit() { return Layout{"1*", "***", "*0*", "****", {"**", "", "", "  **", "  **"}, 0}; }

TEST(AnalyseConditions, CountsTypedWildcardsFixedBeforeTheSearch) {
    // 10 x 102 = 1020 and 12 x 102 = 1224. The quotient's middle cell was
    // typed '*' and holds 0 in both, so "no * is 0" would leave no solution
    // and must not be advised, although 12 x 102 has 0 in no other '*' cell.
    // 4 stands only in 1224.
    auto state = solvedState(zeroDigit(), {{10, 102}, {12, 102}});
    EXPECT_EQ(analyseConditions(*state), sjisLines({"条件により一意化可能", "  * ≠4"}));
}

TEST(AnalyseDigits, ZeroDigitRowsAreSkippedAndBlankRowsKeepTheirBlanks) {
    // The empty pair is not numbered; R_2 and P_2 are the typed lines 2 and 3,
    // shown with their blanks before the arrow and trimmed after it. The
    // quotient's fixed middle cell is no wildcard and is never reported.
    auto state = solvedState(zeroDigit(), {{10, 102}, {12, 102}});
    EXPECT_EQ(analyseDigits(*state),
              sjisLines({"数字化により一意化可能", "  被除数: **** → *0**", "  被除数: **** → *2**",
                         "  被除数: **** → ***0", "  被除数: **** → ***4", "  除数: 1* → 10",
                         "  除数: 1* → 12", "  部分積1行目: ** → *0", "  部分積1行目: ** → *2",
                         "  部分積2行目:   ** → *0", "  部分積2行目:   ** → *4",
                         "  部分積3行目:   ** → *0", "  部分積3行目:   ** → *4"}));
}

// 12 ) 93a with quotient 78, the last lines " 9a", " b6" and a remainder
// typed '*', no '*' being 0: b is 9, so a is 7 or 8 and the remainder 1 or 2.
std::unique_ptr<PuzzleState> hiddenRemainder() {
    auto state = std::make_unique<PuzzleState>();
    testing::FakeHooks hooks(state.get());
    const PuzzleInput input{"12", "78", {"93a", "84", " 9a", " b6", "*"}, "0"};
    EXPECT_EQ(solve(*state, input, hooks, SolveOptions{false, SearchEngine::Reference}), SolveOutcome::Searched);
    EXPECT_EQ(state->solutions.count(), 2);
    return state;
}

TEST(AnalyseConditions, RemainderWildcardsCountLikeOthers) {
    // The remainder is the only '*' cell: 1 in one solution, 2 in the other.
    EXPECT_EQ(analyseConditions(*hiddenRemainder()), sjisLines({"条件により一意化可能", "  * ≠1", "  * ≠2"}));
}

TEST(AnalyseDigits, RemainderCellsCanBeRevealed) {
    EXPECT_EQ(analyseDigits(*hiddenRemainder()), sjisLines({"数字化により一意化可能", "  余り: * → 1", "  余り: * → 2"}));
}

TEST(AnalyseDigits, QuotientEndingInZeroSkipsTheEmptyPairs) {
    // 8400 / 12 = 700 and 8400 / 14 = 600: one written line (84 in both),
    // then the two empty pairs of the trailing zeros, which are not tallied.
    auto state = std::make_unique<PuzzleState>();
    testing::FakeHooks hooks(state.get());
    const PuzzleInput input{"1*", "*00", {"84**", "**", "0"}, ""};
    ASSERT_EQ(solve(*state, input, hooks, SolveOptions{false, SearchEngine::Reference}), SolveOutcome::Searched);
    ASSERT_EQ(state->solutions.count(), 2);
    EXPECT_EQ(analyseDigits(*state),
              sjisLines({"数字化により一意化可能", "  除数: 1* → 12", "  除数: 1* → 14", "  商: *00 → 600",
                         "  商: *00 → 700"}));
}

TEST(AnalyseUniqueness, NothingQualifiesGivesNoHeading) {
    // Two solutions that agree in every wildcard cell cannot be told apart by
    // revealing a digit, and with every digit free in both or neither, no
    // condition separates them either.
    auto state = solvedState(Layout{"12", "*", "", "**", {"**"}, 0}, {{12, 7}, {12, 7}});
    EXPECT_TRUE(analyseDigits(*state).empty());
    EXPECT_TRUE(analyseConditions(*state).empty());
    // What the button writes then: one line saying so, instead of nothing.
    EXPECT_EQ(analyseUniqueness(*state), sjisLines({"一つの条件・一つの数字では一意化できません。"}));
}

TEST(AnalyseUniqueness, BothPassesInOrderWhenEitherFindsSomething) {
    auto state = solvedState(sevenTimes(), {{12, 7}, {13, 7}});
    std::vector<std::string> expected = analyseConditions(*state);
    const std::vector<std::string> digits = analyseDigits(*state);
    ASSERT_FALSE(digits.empty());
    expected.insert(expected.end(), digits.begin(), digits.end());
    EXPECT_EQ(analyseUniqueness(*state), expected);
}

}  // namespace
}  // namespace varnokit
