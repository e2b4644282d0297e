// The right-end plan and table: the table never loses the true division's
// trailing digits, holds nothing its checked cells refuse, its endings are sorted and allow the true quotient, and
// a puzzle whose right ends say nothing gets no plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "fast_generated_puzzles.h"
#include "solver/fast_search_check.h"
#include "solver/fast_search_plan.h"
#include "solver/fast_search_puzzle.h"
#include "solver/fast_search_table.h"

namespace varnokit {
namespace {

using testing::generateDivision;
using testing::HiddenDivision;
using testing::HidingOptions;
using fast::DigitMask;

fast::Puzzle puzzleOf(const HiddenDivision& division) {
    PuzzleState state;
    testing::toState(division, state);
    fast::Puzzle puzzle;
    fast::buildPuzzle(state, puzzle);
    return puzzle;
}

// Whether `entry` agrees with the digits on everything it has chosen.
bool agrees(const fast::Partial& entry, const int8_t* divisorDigits, const int8_t* quotientDigits, int s, int q) {
    for (int p = 0; p < s; ++p) {
        if (entry.divisor[p] >= 0 && entry.divisor[p] != divisorDigits[p]) return false;
    }
    for (int k = 0; k < q; ++k) {
        if (entry.quotient[k] >= 0 && entry.quotient[k] != quotientDigits[k]) return false;
    }
    return true;
}

// The digit of the row cell a check names, worked out from an entry's digits.
int digitAt(const fast::Puzzle& puzzle, const fast::Partial& entry, const fast::CellCheck& check) {
    const int s = puzzle.s, q = puzzle.q;
    Int128 divisorLow = 0;
    for (int p = s - entry.low; p < s; ++p) divisorLow = divisorLow * 10 + entry.divisor[p];
    auto tail = [&](int from) {
        Int128 value = 0;
        for (int k = from; k < q; ++k) value = value * 10 + entry.quotient[k];
        return value;
    };
    auto digit = [](Int128 value, int position) { return static_cast<int>(value / pow10(position) % 10); };
    switch (check.row) {
        case fast::RowKind::Divisor: return entry.divisor[s - 1 - check.distance];
        case fast::RowKind::Quotient: return entry.quotient[check.k];
        case fast::RowKind::Product: return digit(divisorLow * entry.quotient[check.k], check.distance);
        case fast::RowKind::Difference:
            return digit(divisorLow * tail(check.k) + puzzle.remainder, q - 1 - check.k + check.distance);
        case fast::RowKind::Dividend:
            return digit(divisorLow * tail(std::max(0, q - 1 - check.distance)) + puzzle.remainder, check.distance);
    }
    return -1;
}

// Whether every cell the plan checks agrees with the entry (letters distinct).
bool entryAgreesWithPlan(const fast::Puzzle& puzzle, const std::vector<fast::PlanStep>& plan, const fast::Partial& entry) {
    int letter[kMaskLetters];
    for (int i = 0; i < kMaskLetters; ++i) letter[i] = puzzle.start.letter[i];
    for (const fast::PlanStep& step : plan) {
        for (const fast::CellCheck& check : step.checks) {
            const int d = digitAt(puzzle, entry, check);
            if (check.cell <= 9 && check.cell != d) return false;
            if (check.cell == fast::kStar && d == puzzle.condition) return false;
            if (check.cell < fast::kFirstLetter) continue;
            int& bound = letter[check.cell - fast::kFirstLetter];
            if (bound < 0) {
                for (int i = 0; i < kMaskLetters; ++i) {
                    if (letter[i] == d) return false;
                }
                bound = d;
            }
            if (bound != d) return false;
        }
    }
    return true;
}

TEST(FastSearchTable, KeepsTheTrueDivisionsTrailingDigits) {
    std::mt19937_64 rng(20261208);
    HidingOptions options;
    options.maxDivisorDigits = 14;
    options.maxQuotientDigits = 9;
    options.lettered = 0.4;
    int tablesBuilt = 0;
    for (int round = 0; round < 400; ++round) {
        options.hidden = 0.3 + 0.6 * (round % 7) / 6.0;
        const HiddenDivision division = generateDivision(rng, options);
        fast::Puzzle puzzle = puzzleOf(division);
        const int s = puzzle.s, q = puzzle.q;
        int8_t divisorDigits[kMaxDivisorDigits], quotientDigits[kMaxQuotientDigits];
        decimalDigits(division.divisor, s, divisorDigits);
        decimalDigits(division.quotient, q, quotientDigits);

        const int highFixed = round % 3 < s ? round % 3 : 0;
        const std::vector<fast::PlanStep> plan = fast::planFromRight(puzzle, highFixed);
        if (plan.empty()) continue;
        fast::RightEndTable table;
        if (table.build(puzzle, plan, 1u << 20, 2000000, [] {}) != fast::RightEndTable::Status::Complete) continue;
        ++tablesBuilt;
        int found = 0;
        const DigitMask all[kMaxQuotientDigits] = {0x3FF, 0x3FF, 0x3FF, 0x3FF, 0x3FF, 0x3FF, 0x3FF,
                                                   0x3FF, 0x3FF, 0x3FF, 0x3FF, 0x3FF, 0x3FF, 0x3FF};
        table.forEachFitting(all, [&](const fast::Partial& entry) {
            EXPECT_EQ(entry.high, 0);
            EXPECT_EQ(entry.low, table.endingLength());
            EXPECT_LE(entry.low, s - highFixed);
            EXPECT_TRUE(entryAgreesWithPlan(puzzle, plan, entry)) << testing::describe(division);
            if (agrees(entry, divisorDigits, quotientDigits, s, q)) ++found;
        });
        ASSERT_EQ(found, 1) << testing::describe(division) << " high fixed " << highFixed;

        // The true ending is among the endings, which ascend, and allows the true quotient digits.
        const int t = table.endingLength();
        const std::vector<fast::DivisorEnding>& endings = table.endings();
        int matching = 0;
        for (std::size_t e = 0; e < endings.size(); ++e) {
            if (e > 0) {
                EXPECT_TRUE(std::lexicographical_compare(endings[e - 1].digit, endings[e - 1].digit + t,
                                                         endings[e].digit, endings[e].digit + t));
            }
            if (!std::equal(endings[e].digit, endings[e].digit + t, divisorDigits + s - t)) continue;
            ++matching;
            for (int k = 0; k < q; ++k) EXPECT_TRUE(endings[e].quotient[k] & (1u << quotientDigits[k]));
        }
        EXPECT_EQ(matching, 1) << testing::describe(division);
    }
    EXPECT_GT(tablesBuilt, 150);  // the comparison ran often enough to mean something
}

TEST(FastSearchTable, RightEndsOfStarsGiveNoPlan) {
    std::mt19937_64 rng(5);
    HidingOptions options;
    options.hidden = 1.0;
    options.lettered = 0.0;
    options.condition = 0.0;
    options.maxDivisorDigits = 6;
    for (int round = 0; round < 20; ++round) {
        const HiddenDivision division = generateDivision(rng, options);
        fast::Puzzle puzzle = puzzleOf(division);
        // The remainder is always written in digits, but it is not a cell to check.
        EXPECT_TRUE(fast::planFromRight(puzzle, 0).empty()) << testing::describe(division);
    }
}

TEST(FastSearchTable, TooManyEntriesLeaveNoTable) {
    std::mt19937_64 rng(11);
    HidingOptions options;
    options.maxDivisorDigits = 8;
    options.maxQuotientDigits = 6;
    options.hidden = 0.7;
    int limited = 0;
    for (int round = 0; round < 50 && limited < 5; ++round) {
        const HiddenDivision division = generateDivision(rng, options);
        fast::Puzzle puzzle = puzzleOf(division);
        const std::vector<fast::PlanStep> plan = fast::planFromRight(puzzle, 0);
        if (plan.empty()) continue;
        fast::RightEndTable table;
        const fast::RightEndTable::Status status = table.build(puzzle, plan, 1, 5000000, [] {});
        if (status == fast::RightEndTable::Status::Complete) {
            EXPECT_LE(table.size(), 1u);
            continue;
        }
        ++limited;
        EXPECT_EQ(status, fast::RightEndTable::Status::TooLarge);
        EXPECT_EQ(table.size(), 0u);
        EXPECT_TRUE(table.endings().empty());
        // A node budget too small gives up the same way.
        EXPECT_EQ(table.build(puzzle, plan, 1u << 20, 3, [] {}), fast::RightEndTable::Status::OverBudget);
        EXPECT_EQ(table.size(), 0u);
    }
    EXPECT_GT(limited, 0);
}

}  // namespace
}  // namespace varnokit
