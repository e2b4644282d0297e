// Puzzles with a hidden remainder or a quotient ending in 0, solved end to
// end with both engines: typed puzzles of each kind with their solutions, and
// generated puzzles of the wider class against a brute force over divisor,
// quotient and remainder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "solver/written_division.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::FakeHooks;
using testing::sjis;
using testing::WideSolution;
using Solutions = std::vector<WideSolution>;

struct Solved {
    PuzzleState state;
    FakeHooks hooks{&state};
    SolveOutcome outcome = SolveOutcome::Rejected;

    Solved(const PuzzleInput& input, SearchEngine engine) {
        outcome = solve(state, input, hooks, SolveOptions{false, engine});
    }
    Solutions found() const {
        Solutions out;
        for (int i = 0; i < state.solutions.count(); ++i) {
            const StoredSolution& s = state.solutions.at(i);
            out.push_back({s.divisor, s.quotient, static_cast<int64_t>(state.solutions.remainder(i))});
        }
        return out;
    }
};

PuzzleInput typed(const std::string& divisor, const std::string& quotient, std::vector<std::string> body,
                  const std::string& condition = "") {
    PuzzleInput input{sjis(divisor), sjis(quotient), {}, condition};
    for (const std::string& line : body) input.bodyLines.push_back(sjis(line));
    return input;
}

// Solves with both engines; both must agree before the list is returned.
Solutions solveBoth(const PuzzleInput& input, SolveOutcome expected = SolveOutcome::Searched) {
    Solved reference(input, SearchEngine::Reference);
    Solved fast(input, SearchEngine::Fast);
    EXPECT_EQ(reference.outcome, expected);
    EXPECT_EQ(fast.outcome, expected);
    EXPECT_EQ(fast.found(), reference.found());
    EXPECT_EQ(fast.hooks.log.size(), reference.hooks.log.size());
    return reference.found();
}

/* --- Quotients ending in 0 --- */

TEST(WideClass, QuotientEndingInZeroBringsTheLastDigitIntoTheRemainder) {
    // 9365 / 12 = 780 r 5: 96 - 96 = 0, then the 5 is brought down.
    EXPECT_EQ(solveBoth(typed("12", "780", {"9365", "84", " 96", " 96", "5"})), (Solutions{{12, 780, 5}}));
    // The remainder's last cell is the dividend's last digit, deduced before the search.
    EXPECT_EQ(solveBoth(typed("12", "7**", {"936*", "84", " 96", " 96", "5"})), (Solutions{{12, 780, 5}}));
    // 365720 / 51 = 7170 r 50: the last product ends one column early.
    EXPECT_EQ(solveBoth(typed("5*", "7**0", {"3*5720", "357", "  87", "  51", "  362", "  357", "   50"})),
              (Solutions{{51, 7170, 50}}));
}

TEST(WideClass, SeveralTrailingZerosAndAZeroRemainder) {
    // The two digits brought down after the only product are 0, as the
    // remainder is: 8000 / 10, 8800 / 11, 8400 / 12, 8400 / 14, ...
    EXPECT_EQ(solveBoth(typed("1*", "*00", {"8***", "**", "0"})),
              (Solutions{{10, 800, 0}, {11, 800, 0}, {12, 700, 0}, {14, 600, 0}, {16, 500, 0}, {17, 500, 0}}));
}

TEST(WideClass, NonzeroDigitWhereTheQuotientMustEndInZero) {
    // A typed 8 where the layout leaves no lines: no solution, said as for an inner 0.
    Solved digit(typed("12", "788", {"9365", "84", " 96", " 96", "5"}), SearchEngine::Reference);
    EXPECT_EQ(digit.outcome, SolveOutcome::Rejected);
    EXPECT_EQ(digit.hooks.log.at(1), sjis("解はありません。"));
    EXPECT_TRUE(digit.found().empty());
    // A letter that also begins the divisor cannot be that 0.
    EXPECT_TRUE(solveBoth(typed("a2", "78a", {"9365", "84", " 96", " 96", "5"}), SolveOutcome::Rejected).empty());
    // A letter that can be 0 is: the same letter in the dividend then reads 0 too.
    EXPECT_EQ(solveBoth(typed("12", "78a", {"936a", "84", " 96", " 96", "0"})), (Solutions{{12, 780, 0}}));
}

/* --- Hidden remainders --- */

TEST(WideClass, HiddenRemainderGivesEverySolutionWithItsOwnRemainder) {
    // 936 … 939 / 12 = 78 r 0 … 3: every remainder fitting one '*' cell.
    EXPECT_EQ(solveBoth(typed("12", "78", {"93*", "84", " 9*", " 96", "*"})),
              (Solutions{{12, 78, 0}, {12, 78, 1}, {12, 78, 2}, {12, 78, 3}}));
    // Two cells: no leading 0, so r is 10 or 11; R_1 = 12x + r has two digits
    // and the dividend 840 + 12x + r three, beginning with 9: x is 5 … 7.
    EXPECT_EQ(solveBoth(typed("12", "7*", {"9**", "84", " **", " **", "**"})),
              (Solutions{{12, 75, 10}, {12, 75, 11}, {12, 76, 10}, {12, 76, 11}, {12, 77, 10}, {12, 77, 11}}));
}

TEST(WideClass, HiddenRemainderOrderIsDivisorQuotientFromTheRightThenRemainder) {
    const Solutions found = solveBoth(typed("*", "**", {"**", "*", "**", "**", "*"}));
    ASSERT_FALSE(found.empty());
    for (std::size_t i = 1; i < found.size(); ++i) {
        const WideSolution& a = found[i - 1];
        const WideSolution& b = found[i];
        std::string x = std::to_string(a.quotient), y = std::to_string(b.quotient);
        std::reverse(x.begin(), x.end());
        std::reverse(y.begin(), y.end());
        EXPECT_TRUE(a.divisor < b.divisor || (a.divisor == b.divisor && (x < y || (x == y && a.remainder < b.remainder))))
            << i;
    }
}

TEST(WideClass, RemainderLettersAndConditionBindLikeOtherCells) {
    // The remainder's letter is the dividend's second digit: r = 3 only.
    EXPECT_EQ(solveBoth(typed("12", "78", {"9a*", "84", " 9*", " 96", "a"})), (Solutions{{12, 78, 3}}));
    // Different letters take different digits: r is not 2, the divisor's b.
    EXPECT_EQ(solveBoth(typed("1b", "78", {"93*", "84", " 9*", " 96", "a"})),
              (Solutions{{12, 78, 0}, {12, 78, 1}, {12, 78, 3}}));
    // "no * is 2" removes r = 2 from a '*' remainder; a letter may still be 2.
    EXPECT_EQ(solveBoth(typed("12", "78", {"93*", "84", " 9*", " 96", "*"}, "2")),
              (Solutions{{12, 78, 0}, {12, 78, 1}, {12, 78, 3}}));
    EXPECT_EQ(solveBoth(typed("12", "78", {"93*", "84", " 9*", " 96", "a"}, "2")).size(), 4U);
}

TEST(WideClass, RemainderNotBelowTheDivisorIsNoSolution) {
    // 7 / 3: r = 4 would fit the cell but is no remainder of 3.
    EXPECT_EQ(solveBoth(typed("3", "*", {"*", "*", "*"})),
              (Solutions{{3, 1, 0}, {3, 1, 1}, {3, 1, 2}, {3, 2, 0}, {3, 2, 1}, {3, 2, 2}, {3, 3, 0}}));
}

TEST(WideClass, RemainderFixedByTheDeductionsIsKnownBeforeTheSearch) {
    // W2: the hidden remainder's only cell is the brought-down 5.
    Solved fixed(typed("12", "780", {"9365", "84", " 96", " 96", "*"}), SearchEngine::Reference);
    EXPECT_EQ(fixed.found(), (Solutions{{12, 780, 5}}));
    EXPECT_FALSE(remainderIsOpen(fixed.state.work));
    // Filled in as "05", a two-cell remainder would begin with 0: no solution.
    EXPECT_TRUE(solveBoth(typed("12", "700", {"8405", "84", "**"}), SolveOutcome::Rejected).empty());
}

/* --- Generated puzzles against brute force --- */

// 400 puzzles by default; VARNOKIT_DIFFERENTIAL_ROUNDS=N runs N, a few of
// them with three-digit divisors.
int rounds() {
    const char* text = std::getenv("VARNOKIT_DIFFERENTIAL_ROUNDS");
    const int asked = text == nullptr ? 0 : std::atoi(text);
    return asked > 0 ? asked : 400;
}

TEST(WideClass, BothEnginesAgreeWithBruteForceOnGeneratedPuzzles) {
    std::mt19937 random(14092026);
    int withSolutions = 0;
    int hiddenRemainders = 0;
    int endingInZero = 0;
    const int trials = rounds();
    for (int trial = 0; trial < trials; ++trial) {
        const int s = trial % 50 == 49 ? 3 : 1 + trial % 2;
        const int q = s == 3 ? 2 : 1 + (trial / 2) % 3;
        const testing::HiddenPuzzle puzzle = testing::randomWidePuzzle(random, s, q);
        const Solutions expected = testing::bruteForceWide(puzzle);
        const PuzzleInput input = testing::typedInput(puzzle);
        Solved reference(input, SearchEngine::Reference);
        Solved fast(input, SearchEngine::Fast);
        // A rejection (a contradiction the checks found) must mean no solution.
        if (reference.outcome == SolveOutcome::Rejected) {
            EXPECT_TRUE(expected.empty()) << "trial " << trial << ": " << testing::utf8(reference.hooks.log.back());
        } else {
            ASSERT_EQ(reference.found(), expected) << "trial " << trial;
        }
        ASSERT_EQ(fast.found(), reference.found()) << "trial " << trial;
        withSolutions += expected.empty() ? 0 : 1;
        hiddenRemainders += puzzle.remainderPattern.empty() ? 0 : 1;
        endingInZero += puzzle.pattern.quotient.back() == '0' || puzzle.pattern.interior.back().cells.empty() ? 1 : 0;
    }
    EXPECT_GT(withSolutions, trials * 3 / 8);
    EXPECT_GT(hiddenRemainders, trials / 4);
    EXPECT_GT(endingInZero, trials / 4);
}

}  // namespace
}  // namespace varnokit
