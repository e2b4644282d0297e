// The reference search on hand-built records: row matching, the order of
// solutions, conditions, letters, zero quotient digits, the progress level
// and abort, and a comparison with brute force on generated puzzles.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "solver/fake_hooks.h"
#include "solver/propagation.h"
#include "solver/search.h"
#include "solver/written_division.h"

namespace varnokit {
namespace {

using testing::BruteSolution;
using testing::FakeHooks;
using testing::handPattern;
using testing::HiddenPuzzle;
using testing::loadPattern;

// A loaded puzzle with its hooks and search context.
struct Searched {
    PuzzleState state;
    FakeHooks hooks{&state};
    SearchContext context{state, hooks, -1, {}, SearchStats{}};

    explicit Searched(const HiddenPuzzle& puzzle) { loadPattern(state, puzzle); }

    // Propagation, then the whole search; false when propagation failed.
    bool run() {
        if (propagateBounds(state) != 0) return false;
        state.solutions.beginSearch(state.work);
        searchReference(context);
        return true;
    }
    std::vector<BruteSolution> found() const {
        std::vector<BruteSolution> out;
        for (int i = 0; i < state.solutions.count(); ++i) {
            out.push_back({state.solutions.at(i).divisor, state.solutions.at(i).quotient});
        }
        return out;
    }
};

WorkRow rowOf(const char* text) {
    WorkRow row{};
    std::snprintf(row.text, sizeof row.text, "%s", text);
    row.length = static_cast<int32_t>(std::strlen(text));
    return row;
}

/* --- matchRow --- */

TEST(MatchRow, DigitsStarsAndLengths) {
    Searched s(handPattern("1", "1", "1", {"1"}, 0, 7));
    EXPECT_EQ(matchRow(s.context, 123, rowOf("1*3")), 0);
    EXPECT_EQ(matchRow(s.context, 173, rowOf("1*3")), 1);  // '*' is never the condition digit
    EXPECT_EQ(matchRow(s.context, 773, rowOf("7*3")), 1);
    EXPECT_EQ(matchRow(s.context, 713, rowOf("7*3")), 0);  // a typed 7 is fine
    EXPECT_EQ(matchRow(s.context, 124, rowOf("1*3")), 1);
    EXPECT_EQ(matchRow(s.context, 1234, rowOf("1*3")), 1);
    EXPECT_EQ(matchRow(s.context, 0, rowOf("")), 0);        // the empty pair of a zero digit
    EXPECT_EQ(matchRow(s.context, 5, rowOf("")), 1);
}

TEST(MatchRow, LettersBindAndStayDistinct) {
    Searched s(handPattern("1", "1", "1", {"1"}, 0));
    EXPECT_EQ(matchRow(s.context, 121, rowOf("ABA")), 0);
    EXPECT_EQ(s.state.letters.letter[0], 1);
    EXPECT_EQ(s.state.letters.letter[1], 2);
    EXPECT_EQ(s.state.letters.taken[2], 1);
    resetLetters(s.state.letters);
    EXPECT_EQ(matchRow(s.context, 123, rowOf("ABA")), 1);   // one letter, two digits
    resetLetters(s.state.letters);
    EXPECT_EQ(matchRow(s.context, 11, rowOf("AB")), 1);     // two letters, one digit
    resetLetters(s.state.letters);
    s.state.letters.letter[2] = 4;
    s.state.letters.taken[4] = 1;
    EXPECT_EQ(matchRow(s.context, 48, rowOf("C*")), 0);     // bound letter
    EXPECT_EQ(matchRow(s.context, 44, rowOf("*A")), 1);     // 4 is C's
    EXPECT_EQ(matchRow(s.context, 44, rowOf("C*")), 0);     // a '*' may repeat a letter's digit
}

TEST(MatchRow, ConditionDigitAndLetters) {
    Searched s(handPattern("1", "1", "1", {"1"}, 0, 3));
    EXPECT_EQ(matchRow(s.context, 3, rowOf("A")), 0);  // a letter may be the condition digit
    resetLetters(s.state.letters);
    s.context.letterAvoidsCondition[0] = true;         // unless it stands in a typed '*'
    EXPECT_EQ(matchRow(s.context, 3, rowOf("A")), 1);
    EXPECT_EQ(matchRow(s.context, 4, rowOf("A")), 0);
}

/* --- Search --- */

TEST(ReferenceSearch, WorkedExample) {
    Searched s(handPattern("1*", "*8", "**6", {"8*", "*6", "9*"}, 0));
    ASSERT_TRUE(s.run());
    ASSERT_EQ(s.state.solutions.count(), 1);
    const WorkRecord record = s.state.solutions.record(0);
    EXPECT_EQ(record.rows[kDivisorRow].value, 12);
    EXPECT_EQ(record.rows[kQuotientRow].value, 78);
    EXPECT_EQ(record.rows[kDividendRow].value, 936);
    EXPECT_EQ(record.rows[partialProductRow(0)].value, 84);
    EXPECT_EQ(record.rows[differenceRow(1)].value, 96);
    EXPECT_EQ(record.rows[partialProductRow(1)].value, 96);
    EXPECT_EQ(s.hooks.shownCounts, std::vector<int64_t>{1});
    EXPECT_EQ(s.context.stats.solutions, 1);
}

TEST(ReferenceSearch, OrderIsDivisorThenQuotientFromItsLastDigit) {
    // 12 × ab for every two-digit quotient whose rows keep their lengths.
    Searched s(handPattern("1*", "**", "***", {"**", "**", "**"}, 0));
    ASSERT_TRUE(s.run());
    std::vector<BruteSolution> expected;
    for (int64_t divisor = 10; divisor <= 19; ++divisor) {
        for (int b = 1; b <= 9; ++b) {
            for (int a = 1; a <= 9; ++a) {
                const int64_t quotient = 10 * a + b;
                const bool fits = divisor * a < 100 && divisor * b >= 10 && divisor * b < 100 &&
                                  divisor * quotient < 1000;
                if (fits) expected.push_back({divisor, quotient});
            }
        }
    }
    EXPECT_EQ(s.found(), expected);
}

TEST(ReferenceSearch, ConditionForbidsStarsOnly) {
    // divisor × 2 = a one-digit dividend, condition "no * is 3".
    Searched letter(handPattern("A", "2", "*", {"*"}, 0, 3));
    ASSERT_TRUE(letter.run());
    EXPECT_EQ(letter.found(), (std::vector<BruteSolution>{{1, 2}, {2, 2}, {3, 2}, {4, 2}}));

    Searched star(handPattern("*", "2", "*", {"*"}, 0, 3));
    ASSERT_TRUE(star.run());
    EXPECT_EQ(star.found(), (std::vector<BruteSolution>{{1, 2}, {2, 2}, {4, 2}}));

    // A letter that shares a typed '*' cell avoids the condition digit too.
    Searched shared(handPattern("A", "2", "*", {"*"}, 0, 3));
    shared.context.letterAvoidsCondition[0] = true;
    ASSERT_TRUE(shared.run());
    EXPECT_EQ(shared.found(), (std::vector<BruteSolution>{{1, 2}, {2, 2}, {4, 2}}));
}

TEST(ReferenceSearch, ZeroQuotientDigitExactlyWhereUnwritten) {
    // 12 × 102 = 1224: the middle digit has no rows.
    Searched star(handPattern("12", "1*2", "1224", {"12", "", "", "24", "24"}, 0));
    ASSERT_TRUE(star.run());
    EXPECT_EQ(star.found(), (std::vector<BruteSolution>{{12, 102}}));

    // A letter there stands for 0, everywhere it occurs.
    Searched letter(handPattern("12", "1A2", "122*", {"12", "", "", "24", "24"}, 0));
    ASSERT_TRUE(letter.run());
    EXPECT_EQ(letter.found(), (std::vector<BruteSolution>{{12, 102}}));
    Searched clash(handPattern("12", "1A2", "122A", {"12", "", "", "24", "24"}, 0));
    ASSERT_TRUE(clash.run());
    EXPECT_TRUE(clash.found().empty());

    // A 0 where rows are written, and a nonzero digit where none are, fail.
    Searched zeroWritten(handPattern("1*", "10", "1**", {"1*", "**", "**"}, 0));
    ASSERT_TRUE(zeroWritten.run());
    EXPECT_TRUE(zeroWritten.found().empty());
    Searched digitUnwritten(handPattern("12", "112", "1344", {"12", "", "", "24", "24"}, 0));
    ASSERT_TRUE(digitUnwritten.run());
    EXPECT_TRUE(digitUnwritten.found().empty());

    // A '*' there with the condition "no * is 0" has nothing to stand for.
    Searched condition(handPattern("12", "1*2", "1224", {"12", "", "", "24", "24"}, 0, 0));
    ASSERT_TRUE(condition.run());
    EXPECT_TRUE(condition.found().empty());
}

TEST(ReferenceSearch, QuotientLetterMatchesItsOwnProduct) {
    // q = A and P_0 = 1A: 1A = d × A with d = *.
    Searched s(handPattern("*", "A", "1A", {"1A"}, 0));
    ASSERT_TRUE(s.run());
    for (const BruteSolution& found : s.found()) {
        const int64_t a = found.quotient;
        EXPECT_EQ(found.divisor * a, 10 + a);
    }
    EXPECT_EQ(s.found(), (std::vector<BruteSolution>{{3, 5}, {6, 2}}));
}

TEST(ReferenceSearch, LettersBoundInTheSearchAreReleased) {
    // Propagation binds A to 1 (8 × divisor has two digits); B is bound only
    // inside the search and must be free again at its end.
    Searched s(handPattern("A*", "*8", "**B", {"8*", "*B", "9*"}, 0));
    ASSERT_EQ(propagateBounds(s.state), 0);
    const LetterBindings afterPropagation = s.state.letters;
    EXPECT_EQ(afterPropagation.letter[0], 1);
    EXPECT_EQ(afterPropagation.letter[1], -1);
    s.state.solutions.beginSearch(s.state.work);
    searchReference(s.context);
    EXPECT_EQ(s.found(), (std::vector<BruteSolution>{{12, 78}}));
    for (int letter = 0; letter < kMaskLetters; ++letter) {
        EXPECT_EQ(s.state.letters.letter[letter], afterPropagation.letter[letter]);
    }
    for (int digit = 0; digit < 10; ++digit) EXPECT_EQ(s.state.letters.taken[digit], afterPropagation.taken[digit]);
}

/* --- Progress and abort --- */

int levelOf(const std::string& divisor, const std::string& quotient) {
    PuzzleState state;
    const std::string dividend(divisor.size() + quotient.size(), '*');
    std::vector<std::string> interior(2 * quotient.size() - 1, "**");
    loadPattern(state, handPattern(divisor, quotient, dividend, interior, 0));
    return chooseProgressLevel(state);
}

TEST(ProgressLevel, SecondFreeChoice) {
    EXPECT_EQ(levelOf("***", "*"), 2);     // the divisor position after the second '*'
    EXPECT_EQ(levelOf("**", "***"), 102);  // second '*' is the divisor's last: first quotient step
    EXPECT_EQ(levelOf("A*A", "1"), 2);
    EXPECT_EQ(levelOf("AA*", "12"), 101);  // a repeated letter is no new choice
    EXPECT_EQ(levelOf("AB", "12"), 101);
    EXPECT_EQ(levelOf("12", "***"), 100);  // quotient from the right: index 1, level 1 + 99
    EXPECT_EQ(levelOf("12", "A*A"), 100);
    EXPECT_EQ(levelOf("12", "**"), -1);    // second choice at the leftmost quotient digit
    EXPECT_EQ(levelOf("1*", "3"), -1);     // one free choice
    EXPECT_EQ(levelOf("12", "3"), -1);
}

TEST(ProgressLevel, CheckRunsOncePerPairOfLeadingChoices) {
    Searched s(handPattern("***", "*", "***", {"***"}, 0));
    s.context.progressLevel = chooseProgressLevel(s.state);
    ASSERT_TRUE(s.run());
    EXPECT_EQ(s.context.stats.progressChecks, 90);  // 9 first digits × 10 second digits
    EXPECT_EQ(s.hooks.progressSteps, 90);
    EXPECT_EQ(s.hooks.inputCalls, 90);
}

TEST(ProgressLevel, AbortStopsTheSearchAndKeepsSolutions) {
    Searched s(handPattern("***", "*", "***", {"***"}, 0));
    s.context.progressLevel = chooseProgressLevel(s.state);
    s.hooks.abortAtInput = 5;
    ASSERT_EQ(propagateBounds(s.state), 0);
    s.state.solutions.beginSearch(s.state.work);
    EXPECT_THROW(searchReference(s.context), SearchAborted);
    EXPECT_EQ(s.hooks.progressSteps, 5);
    EXPECT_EQ(s.hooks.abortDisabled, 1);
    EXPECT_EQ(s.hooks.slept, 100);
    EXPECT_EQ(s.hooks.inputCalls, 6);  // once more after the wait
    // Divisors 100 … 139 with every quotient digit came before the abort.
    EXPECT_GT(s.state.solutions.count(), 0);
    EXPECT_LT(s.state.solutions.at(s.state.solutions.count() - 1).divisor, 140);
}

TEST(ProgressLevel, AbortHasNoEffectWithoutALevel) {
    Searched s(handPattern("1*", "3", "**", {"**"}, 0));
    s.context.progressLevel = chooseProgressLevel(s.state);
    ASSERT_EQ(s.context.progressLevel, -1);
    s.state.abortFlag = 1;
    EXPECT_NO_THROW(s.run());
    EXPECT_EQ(s.state.solutions.count(), 10);  // 10 × 3 … 19 × 3
}

/* --- Brute force comparison --- */

TEST(ReferenceSearch, AgreesWithBruteForceOnGeneratedPuzzles) {
    std::mt19937 random(20261208);
    int withSolutions = 0;
    int several = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const int s = 1 + trial % 3;
        const int q = 1 + (trial / 3) % 3;
        if (s + q > 5) continue;
        const HiddenPuzzle puzzle = testing::randomPuzzle(random, s, q);
        const std::vector<BruteSolution> expected = testing::bruteForce(puzzle);
        Searched searched(puzzle);
        if (!searched.run()) {
            EXPECT_TRUE(expected.empty()) << "propagation rejected a solvable puzzle, trial " << trial;
            continue;
        }
        ASSERT_EQ(searched.found(), expected) << "trial " << trial;
        // Stored row values are those of the written division.
        for (int i = 0; i < searched.state.solutions.count(); ++i) {
            const WorkRecord record = searched.state.solutions.record(i);
            const testing::WrittenDivision written =
                testing::writeDivision(expected[static_cast<std::size_t>(i)].divisor,
                                       expected[static_cast<std::size_t>(i)].quotient,
                                       puzzle.pattern.remainder);
            EXPECT_EQ(toDecimal(record.rows[kDividendRow].value), written.dividend);
            for (std::size_t u = 0; u < written.interior.size(); ++u) {
                const Int128 value = record.rows[kFirstInteriorRow + static_cast<int>(u)].value;
                const std::string& cells = written.interior[u].cells;
                EXPECT_EQ(value == 0 ? std::string() : toDecimal(value), cells);
            }
        }
        withSolutions += expected.empty() ? 0 : 1;
        several += expected.size() > 1 ? 1 : 0;
    }
    // The generator must produce interesting cases, not only empty ones.
    EXPECT_GT(withSolutions, 100);
    EXPECT_GT(several, 30);
}

}  // namespace
}  // namespace varnokit
