// The right-end plan and table: the table never loses the true division's
// trailing digits, building it in installments changes nothing, and a
// puzzle whose right ends say nothing gets no plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "fast_generated_puzzles.h"
#include "solver/fast_search_check.h"
#include "solver/fast_search_engine.h"
#include "solver/fast_search_plan.h"
#include "solver/fast_search_puzzle.h"
#include "solver/fast_search_table.h"

namespace varnokit {
namespace {

using testing::generateDivision;
using testing::HiddenDivision;
using testing::HidingOptions;

fast::Puzzle puzzleOf(const HiddenDivision& division) {
    PuzzleState state;
    testing::toState(division, state);
    fast::Puzzle puzzle;
    fast::buildPuzzle(state, puzzle);
    return puzzle;
}

class NoPoll : public fast::TablePoll {
public:
    void poll() override {}
};

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
        fast::decimalDigits(division.divisor, s, divisorDigits);
        fast::decimalDigits(division.quotient, q, quotientDigits);

        const int highFixed = round % 3 < s ? round % 3 : 0;
        const std::vector<fast::PlanStep> plan = fast::planFromRight(puzzle, highFixed);
        if (plan.empty()) continue;
        fast::RightEndTable table(puzzle, plan, 1u << 20);
        NoPoll poll;
        if (table.extend(2000000, poll) != fast::RightEndTable::Status::Complete) continue;
        ++tablesBuilt;
        bool found = false;
        for (const fast::Partial& entry : table.entries()) {
            EXPECT_EQ(entry.high, 0);
            EXPECT_LE(entry.low, s - highFixed);
            found = found || agrees(entry, divisorDigits, quotientDigits, s, q);
        }
        ASSERT_TRUE(found) << testing::describe(division) << " high fixed " << highFixed;
    }
    EXPECT_GT(tablesBuilt, 150);  // the comparison ran often enough to mean something
}

class ListSink : public fast::CandidateSink {
public:
    void block(const std::vector<fast::Candidate>& sorted) override {
        for (const fast::Candidate& c : sorted) found.emplace_back(c.divisor, c.quotient);
    }
    std::vector<std::pair<Int128, Int128>> found;
};

// The engine's candidates with and without the table are the same list, in
// the same order, on puzzles large enough for the table to be built.
TEST(FastSearchTable, ChangesNoCandidate) {
    std::mt19937_64 rng(4242);
    HidingOptions options;
    options.maxDivisorDigits = 9;
    options.maxQuotientDigits = 6;
    // VARNOKIT_DIFFERENTIAL_ROUNDS=N runs N puzzles instead.
    const char* text = std::getenv("VARNOKIT_DIFFERENTIAL_ROUNDS");
    const int rounds = text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 300;
    int withTable = 0;
    for (int round = 0; round < rounds; ++round) {
        options.hidden = 0.5 + 0.25 * (round % 4) / 3.0;
        options.lettered = 0.3 + 0.2 * (round % 3) / 2.0;
        const HiddenDivision division = generateDivision(rng, options);
        fast::Puzzle puzzle = puzzleOf(division);
        ListSink with, without;
        const fast::EnumerationStats stats = fast::enumerateCandidates(puzzle, with);
        puzzle.useTable = false;
        fast::enumerateCandidates(puzzle, without);
        ASSERT_EQ(with.found, without.found) << testing::describe(division);
        if (stats.tableEntries > 0) ++withTable;
    }
    EXPECT_GT(withTable, rounds / 5) << withTable;  // the table took part often enough to mean something
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

bool samePartial(const fast::Partial& a, const fast::Partial& b) {
    return a.high == b.high && a.low == b.low && std::equal(a.divisor, a.divisor + kMaxDivisorDigits, b.divisor) &&
           std::equal(a.quotient, a.quotient + kMaxQuotientDigits, b.quotient);
}

TEST(FastSearchTable, InstallmentsBuildTheSameTable) {
    std::mt19937_64 rng(11);
    HidingOptions options;
    options.maxDivisorDigits = 8;
    options.maxQuotientDigits = 6;
    options.hidden = 0.7;
    options.lettered = 0.4;
    int compared = 0;
    for (int round = 0; round < 60; ++round) {
        const HiddenDivision division = generateDivision(rng, options);
        fast::Puzzle puzzle = puzzleOf(division);
        const std::vector<fast::PlanStep> plan = fast::planFromRight(puzzle, 1);
        if (plan.empty()) continue;
        NoPoll poll;
        fast::RightEndTable whole(puzzle, plan, 1u << 20);
        if (whole.extend(5000000, poll) != fast::RightEndTable::Status::Complete) continue;
        fast::RightEndTable pieces(puzzle, plan, 1u << 20);
        fast::RightEndTable::Status status = fast::RightEndTable::Status::Suspended;
        int installments = 0;
        while (status == fast::RightEndTable::Status::Suspended) {
            status = pieces.extend(7, poll);  // stops in the middle of every level
            ++installments;
        }
        ASSERT_EQ(status, fast::RightEndTable::Status::Complete);
        EXPECT_EQ(pieces.nodes(), whole.nodes());
        ASSERT_EQ(pieces.entries().size(), whole.entries().size()) << testing::describe(division);
        for (std::size_t i = 0; i < whole.entries().size(); ++i) {
            ASSERT_TRUE(samePartial(pieces.entries()[i], whole.entries()[i])) << testing::describe(division);
        }
        if (installments > 3) ++compared;
    }
    EXPECT_GT(compared, 10);
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
        NoPoll poll;
        fast::RightEndTable table(puzzle, plan, 1);
        const fast::RightEndTable::Status status = table.extend(5000000, poll);
        if (status == fast::RightEndTable::Status::Complete) {
            EXPECT_LE(table.entries().size(), 1u);
            continue;
        }
        ++limited;
        EXPECT_EQ(status, fast::RightEndTable::Status::TooLarge);
        EXPECT_TRUE(table.entries().empty());
        EXPECT_EQ(table.extend(5000000, poll), fast::RightEndTable::Status::TooLarge);  // and stays so
    }
    EXPECT_GT(limited, 0);
}

}  // namespace
}  // namespace varnokit
