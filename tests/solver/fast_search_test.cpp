// The pieces of the fast engine against the reference search on generated
// puzzles: the ordered search (whole blocks, single paths, the table's
// endings, prefix tests), the pruning search, and the two-ended test.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "fake_hooks.h"
#include "fast_generated_puzzles.h"
#include "solver/solve.h"
#include "solver/fast_search_check.h"
#include "solver/fast_search_plan.h"
#include "solver/fast_search_puzzle.h"
#include "solver/fast_search_table.h"
#include "solver/ordered_search.h"
#include "solver/pruning_search.h"

namespace varnokit {
namespace {

using testing::generateDivision;
using testing::HiddenDivision;
using testing::HidingOptions;

using Pairs = std::vector<std::pair<int64_t, int64_t>>;

// A puzzle in the state the search starts from, with its own solution list.
struct Harness {
    explicit Harness(const HiddenDivision& division) : context{state, hooks, -1, {}, {}} {
        testing::toState(division, state);
        fast::buildPuzzle(state, puzzle);
        state.solutions.beginSearch(state.work);
    }
    Pairs stored() const {
        Pairs out;
        for (int i = 0; i < state.solutions.count(); ++i) {
            out.emplace_back(state.solutions.at(i).divisor, state.solutions.at(i).quotient);
        }
        return out;
    }
    void clearSolutions() {
        state.solutions.reset();
        state.solutions.beginSearch(state.work);
    }
    PuzzleState state;
    testing::FakeHooks hooks;
    SearchContext context;
    fast::Puzzle puzzle;
};

Pairs referenceSolutions(const HiddenDivision& division) {
    Harness h(division);
    searchReference(h.context);
    return h.stored();
}

// Every divisor prefix of `length` digits, ascending.
std::vector<std::vector<int8_t>> prefixes(int s, int length) {
    std::vector<std::vector<int8_t>> out;
    std::vector<int8_t> digits(static_cast<std::size_t>(length), 0);
    if (length == 0) return {digits};
    digits[0] = 1;
    for (;;) {
        out.push_back(digits);
        int i = length - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == 9) digits[static_cast<std::size_t>(i--)] = 0;
        if (i < 0) break;
        ++digits[static_cast<std::size_t>(i)];
    }
    return length <= s ? out : std::vector<std::vector<int8_t>>{};
}

TEST(OrderedSearch, BlockByBlockGivesTheReferenceList) {
    std::mt19937_64 rng(20261209);
    HidingOptions options;
    options.maxDivisorDigits = 4;
    options.maxQuotientDigits = 4;
    options.conditionMayContradict = true;
    int withSolutions = 0;
    for (int round = 0; round < 300; ++round) {
        options.hidden = 0.5 + 0.5 * (round % 5) / 4.0;
        options.lettered = (round % 3) * 0.3;
        const HiddenDivision division = generateDivision(rng, options);
        const Pairs expected = referenceSolutions(division);

        Harness h(division);
        auto ordered = fast::makeOrderedSearch(h.context);
        const int length = round % 3 < h.puzzle.s ? round % 3 : 0;
        for (const std::vector<int8_t>& prefix : prefixes(h.puzzle.s, length)) ordered->searchBlock(prefix.data(), length);
        ASSERT_EQ(h.stored(), expected) << testing::describe(division) << " blocks of " << length;
        if (!expected.empty()) ++withSolutions;
    }
    EXPECT_GT(withSolutions, 150);  // the comparison has teeth
}

// The single path, and the whole quotient phase of one divisor, store
// exactly the pairs the reference search stores.
TEST(OrderedSearch, OnePathAndOneDivisorAcceptWhatTheReferenceAccepts) {
    std::mt19937_64 rng(77);
    HidingOptions options;
    options.maxDivisorDigits = 2;
    options.maxQuotientDigits = 3;
    options.conditionMayContradict = true;
    for (int round = 0; round < 60; ++round) {
        options.hidden = 0.6 + 0.4 * (round % 3) / 2.0;
        options.lettered = (round % 2) * 0.5;
        const HiddenDivision division = generateDivision(rng, options);
        const Pairs expected = referenceSolutions(division);
        Harness h(division);
        auto ordered = fast::makeOrderedSearch(h.context);
        const int s = h.puzzle.s, q = h.puzzle.q;
        for (Int128 d = pow10(s - 1); d < pow10(s); ++d) {
            // The quotient's last digit varies slowest: count through reversed digits.
            for (Int128 reversed = 0; reversed < pow10(q); ++reversed) {
                Int128 quotient = 0;
                for (Int128 rest = reversed, i = 0; i < q; ++i, rest /= 10) quotient = quotient * 10 + rest % 10;
                ordered->searchOne(d, quotient);
            }
        }
        ASSERT_EQ(h.stored(), expected) << testing::describe(division);
        h.clearSolutions();
        for (Int128 d = pow10(s - 1) - 1; d <= pow10(s); ++d) ordered->searchDivisor(d);
        ASSERT_EQ(h.stored(), expected) << testing::describe(division) << " by divisors";
    }
}

// With the right-end table's endings the list stays the same: they only
// leave out divisors without solutions.
TEST(OrderedSearch, EndingsChangeNothing) {
    std::mt19937_64 rng(4242);
    HidingOptions options;
    options.maxDivisorDigits = 5;
    options.maxQuotientDigits = 4;
    int withTable = 0;
    for (int round = 0; round < 150; ++round) {
        options.hidden = 0.5 + 0.3 * (round % 4) / 3.0;
        options.lettered = 0.2 + 0.2 * (round % 3);
        const HiddenDivision division = generateDivision(rng, options);
        const Pairs expected = referenceSolutions(division);

        Harness h(division);
        auto ordered = fast::makeOrderedSearch(h.context);
        fast::RightEndTable table;
        const std::vector<fast::PlanStep> plan = fast::planFromRight(h.puzzle, 0);
        if (!plan.empty() && table.build(h.puzzle, plan, 1u << 20, 10000000, [] {}) ==
                                 fast::RightEndTable::Status::Complete) {
            ordered->useEndings(table);
            ++withTable;
        }
        ordered->searchBlock(nullptr, 0);
        ASSERT_EQ(h.stored(), expected) << testing::describe(division);
        // One divisor at a time, the endings are skipped: the list is the same.
        if (h.puzzle.s > 3) continue;
        h.clearSolutions();
        for (Int128 d = pow10(h.puzzle.s - 1); d < pow10(h.puzzle.s); ++d) ordered->searchDivisor(d);
        ASSERT_EQ(h.stored(), expected) << testing::describe(division) << " by divisors";
    }
    EXPECT_GT(withTable, 40);
}

TEST(OrderedSearch, ProbesDrawDivisorsOfTheBlockAndStoreNothing) {
    std::mt19937_64 rng(5);
    HidingOptions options;
    options.maxDivisorDigits = 4;
    options.maxQuotientDigits = 3;
    options.hidden = 1.0;  // many solutions
    options.condition = 0;
    int capped = 0;
    for (int round = 0; round < 20; ++round) {
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        auto ordered = fast::makeOrderedSearch(h.context);
        const int8_t prefix[1] = {1};
        const fast::OrderedSearch::Probe probe = ordered->probe(prefix, 1, 12345 + static_cast<uint64_t>(round), 50);
        EXPECT_TRUE(probe.drawn);
        EXPECT_LE(probe.nodes, 51u);
        if (probe.capped) ++capped;
        EXPECT_EQ(h.state.solutions.count(), 0);
    }
    EXPECT_GT(capped, 0);
}

// The pruning search misses no true division, in either order of choices,
// also when it hands complete divisors over whole, hands its candidates over
// in the reference order, and gives up cleanly.
TEST(PruningSearch, FindsTheTrueDivisionOfLargePuzzles) {
    std::mt19937_64 rng(7);
    HidingOptions options;
    options.maxDivisorDigits = 14;
    options.maxQuotientDigits = 6;
    options.hidden = 0.6;
    options.hiddenRemainder = 0.3;  // its leading digits are choices too
    int whole = 0;
    for (int round = 0; round < 80; ++round) {
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        fast::RightEndTable table;
        fast::PruningSearch search(h.puzzle, [] {});
        if (round % 4 >= 2) search.setOrder(fast::PruningSearch::Order::QuotientFirst);
        if (round % 3 == 1) search.setHandOff(0.5);  // whenever a quotient digit is open
        const std::vector<fast::PlanStep> plan = fast::planFromRight(h.puzzle, 1);
        // The table fixes the rows' right ends from a known remainder.
        if (round % 2 == 0 && !h.puzzle.openRemainder && !plan.empty() &&
            table.build(h.puzzle, plan, 1u << 20, 5000000, [] {}) == fast::RightEndTable::Status::Complete) {
            search.useTable(table);
        }
        int8_t digits[kMaxDivisorDigits];
        decimalDigits(division.divisor, h.puzzle.s, digits);
        fast::Partial block = fast::emptyPartial();
        block.divisor[0] = digits[0];
        block.high = 1;
        std::vector<fast::Candidate> out;
        search.beginBlock(block);
        EXPECT_GT(search.estimateTests(4, 99), 0.0);
        const uint64_t before = search.tests();
        ASSERT_EQ(search.searchBlock(UINT64_MAX, 1u << 20, out), fast::PruningSearch::Outcome::Complete);
        const uint64_t used = search.tests() - before;
        bool found = false;
        for (std::size_t i = 0; i < out.size(); ++i) {
            found = found || (out[i].divisor == division.divisor &&
                              (out[i].wholeDivisor || out[i].quotient == division.quotient));
            if (out[i].wholeDivisor) ++whole;
            // In order; a candidate may repeat (from different leading digits of an open remainder).
            if (i > 0) {
                EXPECT_FALSE(fast::referenceOrder(out[i], out[i - 1]));
            }
        }
        EXPECT_TRUE(found) << testing::describe(division);

        if (used > 1) {
            EXPECT_EQ(search.searchBlock(1, 1u << 20, out), fast::PruningSearch::Outcome::OverBudget);
            EXPECT_TRUE(out.empty());
        }
        EXPECT_EQ(search.searchBlock(UINT64_MAX, 1, out), fast::PruningSearch::Outcome::TooMany);
        EXPECT_TRUE(out.empty());
    }
    EXPECT_GT(whole, 0);
}

// Every partial assignment taken from the true division passes the test.
TEST(FastSearchCheck, NeverRefutesTheTrueDivision) {
    std::mt19937_64 rng(99);
    HidingOptions options;
    options.maxDivisorDigits = 14;
    options.maxQuotientDigits = 14;
    options.hiddenRemainder = 0.4;
    int withRemainderDigits = 0;
    for (int round = 0; round < 300; ++round) {
        options.hidden = 0.3 + 0.7 * (round % 8) / 7.0;
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        const int s = h.puzzle.s, q = h.puzzle.q;
        int8_t divisorDigits[kMaxDivisorDigits], quotientDigits[kMaxQuotientDigits];
        decimalDigits(division.divisor, s, divisorDigits);
        decimalDigits(division.quotient, q, quotientDigits);
        for (int trial = 0; trial < 20; ++trial) {
            fast::Partial partial = fast::emptyPartial();
            partial.high = std::uniform_int_distribution<int>(1, s)(rng);
            partial.low = std::uniform_int_distribution<int>(0, s - partial.high)(rng);
            for (int p = 0; p < partial.high; ++p) partial.divisor[p] = divisorDigits[p];
            for (int p = s - partial.low; p < s; ++p) partial.divisor[p] = divisorDigits[p];
            for (int k = 0; k < q; ++k) {
                if (trial % 4 == 0 || std::uniform_int_distribution<int>(0, 1)(rng)) partial.quotient[k] = quotientDigits[k];
            }
            // Mask letters' digits, as the pruning search may take them.
            if (trial % 2 == 1) {
                for (const auto& [text, value] : {std::pair{division.divisorText, division.divisor},
                                                  std::pair{division.quotientText, division.quotient}}) {
                    const std::string digits = toDecimal(value);
                    for (std::size_t j = 0; j < text.size(); ++j) {
                        if (text[j] >= 'A' && text[j] <= 'J') partial.letter[text[j] - 'A'] = static_cast<int8_t>(digits[j] - '0');
                    }
                }
            }
            // An open remainder's leading digits, as the pruning search may take them.
            if (h.puzzle.remainderAllowed[0] != 0) {
                const int length = h.puzzle.remainderRow.length;
                int8_t remainderDigits[kMaxDivisorDigits];
                decimalDigits(division.remainder, length, remainderDigits);
                partial.remainderHigh = std::uniform_int_distribution<int>(0, length)(rng);
                for (int j = 0; j < partial.remainderHigh; ++j) partial.remainder[j] = remainderDigits[j];
                if (partial.remainderHigh > 0) ++withRemainderDigits;
            }
            ASSERT_TRUE(fast::consistent(h.puzzle, partial))
                << testing::describe(division) << " high " << partial.high << " low " << partial.low
                << " remainder digits " << partial.remainderHigh;
        }
    }
    EXPECT_GT(withRemainderDigits, 200);
}

// Narrowing a quotient digit with the shared work says, digit by digit,
// what the test of each child says (masks and conditions included).
TEST(FastSearchCheck, QuotientSurvivorsAgreeWithTheTest) {
    std::mt19937_64 rng(7);
    HidingOptions options;
    options.maxDivisorDigits = 9;
    options.maxQuotientDigits = 7;
    int refuted = 0;
    for (int round = 0; round < 200; ++round) {
        options.hidden = 0.5 + 0.5 * (round % 6) / 5.0;
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        const int s = h.puzzle.s, q = h.puzzle.q;
        if (std::count(h.puzzle.divisorAllowed, h.puzzle.divisorAllowed + s, 0) > 0 ||
            std::count(h.puzzle.quotientAllowed, h.puzzle.quotientAllowed + q, 0) > 0) {
            continue;  // a cell no digit fills: nothing to draw
        }
        for (int trial = 0; trial < 10; ++trial) {
            // Random digits among those the cells allow, so that many children are refuted.
            std::uniform_int_distribution<int> digit(0, 9);
            auto draw = [&](fast::DigitMask allowed) {
                int d = digit(rng);
                while (!(allowed & (1u << d))) d = (d + 1) % 10;
                return static_cast<int8_t>(d);
            };
            fast::Partial partial = fast::emptyPartial();
            partial.high = std::uniform_int_distribution<int>(0, s)(rng);
            partial.low = std::uniform_int_distribution<int>(0, s - partial.high)(rng);
            for (int p = 0; p < partial.high; ++p) partial.divisor[p] = draw(h.puzzle.divisorAllowed[p]);
            for (int p = s - partial.low; p < s; ++p) partial.divisor[p] = draw(h.puzzle.divisorAllowed[p]);
            for (int k = 0; k < q; ++k) {
                if (digit(rng) < 4) partial.quotient[k] = draw(h.puzzle.quotientAllowed[k]);
            }
            const int k = std::uniform_int_distribution<int>(0, q - 1)(rng);
            partial.quotient[k] = -1;
            const fast::DigitMask allowed = h.puzzle.quotientAllowed[k];
            fast::DigitMask expected = 0;
            fast::Partial child = partial;
            for (int d = 0; d < 10; ++d) {
                if (!(allowed & (1u << d))) continue;
                child.quotient[k] = static_cast<int8_t>(d);
                if (fast::consistent(h.puzzle, child, k)) expected = static_cast<fast::DigitMask>(expected | (1u << d));
            }
            uint64_t tests = 0;
            ASSERT_EQ(fast::quotientSurvivors(h.puzzle, partial, k, allowed, tests), expected)
                << testing::describe(division) << " k " << k;
            EXPECT_EQ(tests, static_cast<uint64_t>(__builtin_popcount(allowed)));
            refuted += __builtin_popcount(allowed) - __builtin_popcount(expected);
        }
    }
    EXPECT_GT(refuted, 1000);  // the comparison met refuted digits, not only passes
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

// The choices the pruning search takes beside the digits of the divisor and
// the quotient — a letter's digit, an open remainder's leading digits — are
// held to the cells: on the true division, a letter given another digit, two
// letters given one digit, or a remainder digit its cell does not hold is
// refuted. And the letters offered as choices are those some cell holds.
TEST(FastSearchCheck, HoldsLetterAndRemainderChoicesToTheCells) {
    std::mt19937_64 rng(4711);
    HidingOptions options;
    options.maxDivisorDigits = 9;
    options.maxQuotientDigits = 6;
    options.lettered = 0.5;
    options.hiddenRemainder = 0.5;
    int wrongLetters = 0, sharedDigits = 0, wrongRemainders = 0;
    for (int round = 0; round < 200; ++round) {
        const HiddenDivision division = generateDivision(rng, options);
        Harness h(division);
        const int s = h.puzzle.s, q = h.puzzle.q;
        fast::Partial truth = fast::emptyPartial();
        decimalDigits(division.divisor, s, truth.divisor);
        decimalDigits(division.quotient, q, truth.quotient);
        truth.high = s;

        uint16_t lettersSeen = 0;
        std::string texts = division.divisorText + division.quotientText + division.dividendText;
        for (const std::string& row : division.interior) texts += row;
        if (h.puzzle.openRemainder) texts += division.remainderText;
        for (char c : texts) {
            if (c >= 'A' && c <= 'J') lettersSeen = static_cast<uint16_t>(lettersSeen | (1u << (c - 'A')));
        }
        EXPECT_EQ(h.puzzle.freeLetters, lettersSeen) << testing::describe(division);

        // Letters of the divisor, with the digits they stand for.
        int letterDigit[kMaskLetters] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        for (int p = 0; p < s; ++p) {
            const char c = division.divisorText[static_cast<std::size_t>(p)];
            if (c >= 'A' && c <= 'J') letterDigit[c - 'A'] = truth.divisor[p];
        }
        int first = -1;
        for (int i = 0; i < kMaskLetters; ++i) {
            if (letterDigit[i] < 0) continue;
            fast::Partial wrong = truth;
            wrong.letter[i] = static_cast<int8_t>((letterDigit[i] + 1) % 10);
            EXPECT_FALSE(fast::consistent(h.puzzle, wrong)) << testing::describe(division);
            ++wrongLetters;
            if (first < 0) {
                first = i;
                continue;
            }
            fast::Partial shared = truth;
            shared.letter[first] = shared.letter[i] = static_cast<int8_t>(letterDigit[first]);
            EXPECT_FALSE(fast::consistent(h.puzzle, shared)) << testing::describe(division);
            ++sharedDigits;
        }

        // An open remainder whose first cell is a digit: any other first digit is refuted.
        const char lead = division.remainderText.empty() ? '*' : division.remainderText[0];
        if (h.puzzle.remainderAllowed[0] != 0 && lead >= '1' && lead <= '9') {
            fast::Partial wrong = truth;
            wrong.remainderHigh = 1;
            wrong.remainder[0] = static_cast<int8_t>(lead == '9' ? 1 : lead - '0' + 1);
            EXPECT_FALSE(fast::consistent(h.puzzle, wrong)) << testing::describe(division);
            ++wrongRemainders;
        }
    }
    EXPECT_GT(wrongLetters, 50);
    EXPECT_GT(sharedDigits, 20);
    EXPECT_GT(wrongRemainders, 5);
}

// A divisor cell that no digit can fill (propagation leaves its first digit
// only 1, which the condition forbids): no block at all, and no solution.
TEST(FastEngine, DivisorCellThatNoDigitFills) {
    PuzzleInput input;
    input.divisor = "****";
    input.quotient = "9";
    input.bodyLines = {"****", "***9", "0"};
    input.condition = "1";
    for (SearchEngine engine : {SearchEngine::Fast, SearchEngine::Reference}) {
        PuzzleState state;
        testing::FakeHooks hooks(&state);
        SolveOptions options;
        options.beep = false;
        options.engine = engine;
        EXPECT_EQ(solve(state, input, hooks, options), SolveOutcome::Searched);
        EXPECT_EQ(state.solutions.count(), 0);
    }
}

}  // namespace
}  // namespace varnokit
