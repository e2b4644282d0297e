// The fast search's enumeration and pruning test against plain enumeration
// of every divisor and quotient on small generated puzzles, and the pruning
// test's soundness on the true division of large ones.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "fast_generated_puzzles.h"
#include "solver/fast_search_check.h"
#include "solver/fast_search_engine.h"
#include "solver/fast_search_puzzle.h"
#include "solver/fast_search_replay.h"

namespace varnokit {
namespace {

using testing::generateDivision;
using testing::HiddenDivision;
using testing::HidingOptions;

class SilentHooks : public SolveHooks {
public:
    void appendLog(const std::string&) override {}
    double now() override { return 0; }
    std::string formatStartTime(double) override { return ""; }
    std::string clockDescription() override { return ""; }
};

struct Pair {
    Int128 divisor, quotient;
    bool operator==(const Pair&) const = default;
};

// Whether the reference search would store (D, Q): its path, the dividend and r < D.
bool referenceAccepts(SearchContext& context, Int128 divisor, Int128 quotient) {
    const LetterBindings before = context.state.letters;
    const WorkRecord& work = context.state.work;
    const Int128 r = work.rows[kRemainderRow].value;
    bool ok = fast::replayReferencePath(context, divisor, quotient) && r < divisor &&
              matchRow(context, divisor * quotient + r, work.rows[kDividendRow]) == 0;
    context.state.letters = before;
    return ok;
}

// Every (D, Q) of the right lengths, in the reference order.
std::vector<Pair> plainEnumeration(SearchContext& context) {
    const int s = context.state.work.rows[kDivisorRow].length;
    const int q = context.state.work.rows[kQuotientRow].length;
    std::vector<Pair> out;
    for (Int128 d = pow10(s - 1); d < pow10(s); ++d) {
        // The quotient's last digit varies slowest: count through reversed digits.
        for (Int128 reversed = 0; reversed < pow10(q); ++reversed) {
            Int128 quotient = 0;
            Int128 rest = reversed;
            for (int i = 0; i < q; ++i) {
                quotient = quotient * 10 + rest % 10;
                rest /= 10;
            }
            if (referenceAccepts(context, d, quotient)) out.push_back(Pair{d, quotient});
        }
    }
    return out;
}

class CollectingSink : public fast::CandidateSink {
public:
    void block(const std::vector<fast::Candidate>& sorted) override {
        for (const fast::Candidate& c : sorted) candidates.push_back(c);
        ++blocks;
    }
    void progress() override { ++progressSteps; }
    std::vector<fast::Candidate> candidates;
    int blocks = 0;
    int progressSteps = 0;
};

struct Harness {
    explicit Harness(const HiddenDivision& division) : context{state, hooks, -1, {}, {}} {
        testing::toState(division, state);
        fast::buildPuzzle(state, puzzle);
    }
    PuzzleState state;
    SilentHooks hooks;
    SearchContext context;
    fast::Puzzle puzzle;
};

TEST(FastSearchEngine, MatchesPlainEnumerationOnSmallPuzzles) {
    std::mt19937_64 rng(20261208);
    HidingOptions options;
    options.maxDivisorDigits = 3;
    options.maxQuotientDigits = 2;
    options.conditionMayContradict = true;
    int withSolutions = 0;
    for (int round = 0; round < 300; ++round) {
        options.hidden = 0.5 + 0.5 * (round % 5) / 4.0;
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        const std::vector<Pair> expected = plainEnumeration(h.context);

        CollectingSink sink;
        fast::enumerateCandidates(h.puzzle, sink);
        std::vector<Pair> actual;
        for (const fast::Candidate& c : sink.candidates) {
            if (referenceAccepts(h.context, c.divisor, c.quotient)) actual.push_back(Pair{c.divisor, c.quotient});
        }
        ASSERT_EQ(actual, expected) << testing::describe(division);
        EXPECT_EQ(sink.progressSteps, 100);
        if (!expected.empty()) ++withSolutions;
    }
    EXPECT_GT(withSolutions, 200);  // the puzzles are mostly solvable, so the comparison has teeth
}

TEST(FastSearchEngine, FindsTheTrueDivisionOfLargePuzzles) {
    std::mt19937_64 rng(7);
    HidingOptions options;
    options.maxDivisorDigits = 14;
    options.maxQuotientDigits = 6;
    options.hidden = 0.6;
    for (int round = 0; round < 40; ++round) {
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        CollectingSink sink;
        const fast::EnumerationStats stats = fast::enumerateCandidates(h.puzzle, sink);
        bool found = false;
        for (std::size_t i = 0; i < sink.candidates.size(); ++i) {
            const fast::Candidate& c = sink.candidates[i];
            found = found || (c.divisor == division.divisor && c.quotient == division.quotient);
            if (i > 0) {
                EXPECT_TRUE(fast::referenceOrder(sink.candidates[i - 1], c));
            }
        }
        EXPECT_TRUE(found) << testing::describe(division) << " nodes " << stats.nodes;
    }
}

// Holding only a few candidates at a time splits blocks into parts (by the
// divisor's next digits, then by the quotient's last digits) and must hand
// over the same list in the same order.
TEST(FastSearchEngine, BlocksInPartsGiveTheSameList) {
    std::mt19937_64 rng(31);
    HidingOptions options;
    options.maxDivisorDigits = 4;
    options.maxQuotientDigits = 3;
    int split = 0;
    for (int round = 0; round < 80; ++round) {
        options.hidden = 0.6 + 0.4 * (round % 5) / 4.0;
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        CollectingSink whole, parts;
        fast::enumerateCandidates(h.puzzle, whole);
        fast::enumerateCandidates(h.puzzle, parts, 3);
        ASSERT_EQ(parts.candidates.size(), whole.candidates.size()) << testing::describe(division);
        for (std::size_t i = 0; i < whole.candidates.size(); ++i) {
            ASSERT_EQ(parts.candidates[i].divisor, whole.candidates[i].divisor) << testing::describe(division);
            ASSERT_EQ(parts.candidates[i].quotient, whole.candidates[i].quotient) << testing::describe(division);
        }
        EXPECT_EQ(parts.progressSteps, whole.progressSteps);
        if (parts.blocks > whole.blocks) ++split;
    }
    EXPECT_GT(split, 20);  // many lists were handed over in parts
}

// Every partial assignment taken from the true division passes the test.
TEST(FastSearchCheck, NeverRefutesTheTrueDivision) {
    std::mt19937_64 rng(99);
    HidingOptions options;
    options.maxDivisorDigits = 14;
    options.maxQuotientDigits = 14;
    for (int round = 0; round < 300; ++round) {
        options.hidden = 0.3 + 0.7 * (round % 8) / 7.0;
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        const int s = h.puzzle.s, q = h.puzzle.q;
        int8_t divisorDigits[kMaxDivisorDigits], quotientDigits[kMaxQuotientDigits];
        fast::decimalDigits(division.divisor, s, divisorDigits);
        fast::decimalDigits(division.quotient, q, quotientDigits);
        for (int trial = 0; trial < 20; ++trial) {
            fast::Partial partial = fast::emptyPartial();
            partial.high = std::uniform_int_distribution<int>(1, s)(rng);
            partial.low = std::uniform_int_distribution<int>(0, s - partial.high)(rng);
            for (int p = 0; p < partial.high; ++p) partial.divisor[p] = divisorDigits[p];
            for (int p = s - partial.low; p < s; ++p) partial.divisor[p] = divisorDigits[p];
            for (int k = 0; k < q; ++k) {
                if (trial % 4 == 0 || std::uniform_int_distribution<int>(0, 1)(rng)) partial.quotient[k] = quotientDigits[k];
            }
            ASSERT_TRUE(fast::consistent(h.puzzle, partial))
                << testing::describe(division) << " high " << partial.high << " low " << partial.low;
        }
    }
}

TEST(FastSearchCheck, RefutesRowsFromEitherEnd) {
    fast::Puzzle puzzle;
    fast::RowPattern row;
    row.length = 4;
    const char* text = "*7*3";
    for (int j = 0; j < 4; ++j) row.cell[j] = fast::cellCode(text[j]);
    fast::LetterScratch letters{{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, 0};
    // Leading digits shared by the whole interval: 1700 … 1799 fits, 1800 … 1899 does not.
    EXPECT_TRUE(fast::rowFits(puzzle, row, 1700, 1799, 0, 0, letters));
    EXPECT_FALSE(fast::rowFits(puzzle, row, 1800, 1899, 0, 0, letters));
    // The first differing digit must leave room for the 7.
    EXPECT_FALSE(fast::rowFits(puzzle, row, 1000, 1699, 0, 0, letters));
    // Low digits: …43 fits the trailing 3, …44 does not.
    EXPECT_TRUE(fast::rowFits(puzzle, row, 1000, 9999, 2, 43, letters));
    EXPECT_FALSE(fast::rowFits(puzzle, row, 1000, 9999, 2, 44, letters));
    // Lengths: nothing of four digits below 1000.
    EXPECT_FALSE(fast::rowFits(puzzle, row, 0, 999, 0, 0, letters));
}

TEST(FastSearchCheck, KeepsLettersConsistentAcrossRows) {
    fast::Puzzle puzzle;
    fast::RowPattern row;
    row.length = 3;
    const char* text = "AB*";
    for (int j = 0; j < 3; ++j) row.cell[j] = fast::cellCode(text[j]);
    fast::LetterScratch letters{{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, 0};
    EXPECT_TRUE(fast::rowFits(puzzle, row, 450, 459, 0, 0, letters));  // A = 4, B = 5
    EXPECT_EQ(letters.letter[0], 4);
    EXPECT_FALSE(fast::rowFits(puzzle, row, 550, 559, 0, 0, letters));  // A cannot be 5 as well
    fast::LetterScratch fresh{{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, 0};
    EXPECT_FALSE(fast::rowFits(puzzle, row, 330, 339, 0, 0, fresh));  // two letters, one digit
}

}  // namespace
}  // namespace varnokit
