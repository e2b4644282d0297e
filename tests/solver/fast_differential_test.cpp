// The two engines against each other through the whole Solve: generated
// puzzles (hidden cells, masks, conditions, zero quotient digits,
// remainders) typed as a user would, solved once by each engine, must give
// the same outcome, log lines, solution list in order and growing count.
// A brief run by default; VARNOKIT_DIFFERENTIAL_ROUNDS=N runs N puzzles,
// larger ones included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <tuple>

#include "fake_hooks.h"
#include "fast_generated_puzzles.h"
#include "solver/solve.h"

namespace varnokit {
namespace {

using testing::FakeHooks;
using testing::HiddenDivision;
using testing::HidingOptions;

struct Run {
    SolveOutcome outcome;
    std::vector<std::string> log;
    int64_t lastShownCount;
    std::vector<std::tuple<int64_t, int64_t, int64_t>> solutions;  // divisor, quotient, remainder, in order
};

Run solveWith(const PuzzleInput& input, SearchEngine engine) {
    PuzzleState state;
    FakeHooks hooks(&state);
    SolveOptions options;
    options.beep = false;
    options.engine = engine;
    Run run{solve(state, input, hooks, options), hooks.log,
            hooks.shownCounts.empty() ? 0 : hooks.shownCounts.back(), {}};
    // Every stored value follows from the divisor, the quotient and the record
    // shared by all solutions, which the search does not touch.
    for (int i = 0; i < state.solutions.count(); ++i) {
        run.solutions.emplace_back(state.solutions.at(i).divisor, state.solutions.at(i).quotient,
                                   static_cast<int64_t>(state.solutions.remainder(i)));
    }
    return run;
}

int roundsFromEnvironment(int brief) {
    const char* text = std::getenv("VARNOKIT_DIFFERENTIAL_ROUNDS");
    if (text == nullptr) return brief;
    const int rounds = std::atoi(text);
    return rounds > 0 ? rounds : brief;
}

// Compares the engines on `rounds` puzzles drawn with `options`, hiding
// between 55% of the cells and `mostHidden`; returns how many had at least
// one solution.
int compareEngines(std::mt19937_64& rng, HidingOptions options, int rounds, double mostHidden) {
    int solved = 0;
    for (int round = 0; round < rounds; ++round) {
        options.hidden = 0.55 + (mostHidden - 0.55) * (round % 10) / 9.0;
        options.lettered = (round % 3) * 0.25;
        options.conditionMayContradict = round % 4 == 0;
        const HiddenDivision division = testing::generateDivision(rng, options);
        const PuzzleInput input = testing::toInput(division);

        const Run reference = solveWith(input, SearchEngine::Reference);
        const Run fast = solveWith(input, SearchEngine::Fast);
        const std::string where = testing::describe(division);
        EXPECT_EQ(fast.outcome, reference.outcome) << where;
        EXPECT_EQ(fast.log, reference.log) << where;
        EXPECT_EQ(fast.lastShownCount, reference.lastShownCount) << where;
        EXPECT_EQ(fast.solutions, reference.solutions) << where;
        if (fast.solutions != reference.solutions || fast.log != reference.log) return solved;
        if (!reference.solutions.empty()) ++solved;
    }
    return solved;
}

TEST(FastDifferential, SmallPuzzlesGiveTheReferenceSolutions) {
    std::mt19937_64 rng(1208);
    HidingOptions options;
    options.maxDivisorDigits = 3;
    options.maxQuotientDigits = 4;
    const int rounds = roundsFromEnvironment(1000);
    const int solved = compareEngines(rng, options, rounds, 1.0);
    EXPECT_GT(solved, rounds / 2);  // most puzzles have solutions, so the lists are compared
}

TEST(FastDifferential, WiderDivisorsGiveTheReferenceSolutions) {
    std::mt19937_64 rng(6);
    HidingOptions options;
    options.maxDivisorDigits = 5;
    options.maxQuotientDigits = 5;
    options.zeroDigit = 0.3;
    const int rounds = roundsFromEnvironment(400) / 10;
    // Five hidden digits each way with nearly every cell hidden have billions
    // of solutions; keep some cells shown.
    const int solved = compareEngines(rng, options, rounds, 0.8);
    EXPECT_GT(solved, rounds / 2);
}

// Hidden remainders (and quotients ending in 0, which zero digits give):
// the fast engine finds each solution's remainder by its own path.
TEST(FastDifferential, HiddenRemaindersGiveTheReferenceSolutions) {
    std::mt19937_64 rng(1409);
    HidingOptions options;
    options.maxDivisorDigits = 3;
    options.maxQuotientDigits = 4;
    options.zeroDigit = 0.25;
    options.hiddenRemainder = 0.8;
    const int rounds = roundsFromEnvironment(600);
    EXPECT_GT(compareEngines(rng, options, rounds, 0.8), rounds / 2);

    std::mt19937_64 wideRng(1410);
    options.maxDivisorDigits = 5;
    options.maxQuotientDigits = 5;
    const int wideRounds = roundsFromEnvironment(400) / 10;
    EXPECT_GT(compareEngines(wideRng, options, wideRounds, 0.75), wideRounds / 2);
}

// The long run (ctest label `long`): twenty times the brief rounds, from
// seeds of their own, so it meets puzzles the brief run never draws.
TEST(LongFastDifferential, ThousandsOfPuzzlesGiveTheReferenceSolutions) {
    std::mt19937_64 rng(20261209);
    HidingOptions options;
    options.maxDivisorDigits = 3;
    options.maxQuotientDigits = 4;
    options.zeroDigit = 0.2;
    const int rounds = roundsFromEnvironment(20000);
    EXPECT_GT(compareEngines(rng, options, rounds, 1.0), rounds / 2);

    std::mt19937_64 wideRng(912);
    HidingOptions wide;
    wide.maxDivisorDigits = 5;
    wide.maxQuotientDigits = 5;
    wide.zeroDigit = 0.3;
    const int wideRounds = roundsFromEnvironment(20000) / 100;
    EXPECT_GT(compareEngines(wideRng, wide, wideRounds, 0.8), wideRounds / 2);

    std::mt19937_64 hiddenRng(1411);
    HidingOptions hidden = options;
    hidden.hiddenRemainder = 0.8;
    const int hiddenRounds = roundsFromEnvironment(20000) / 4;
    // A hidden remainder multiplies the solutions by up to the divisor: keep some cells shown.
    EXPECT_GT(compareEngines(hiddenRng, hidden, hiddenRounds, 0.85), hiddenRounds / 2);
    wide.hiddenRemainder = 0.8;
    EXPECT_GT(compareEngines(wideRng, wide, wideRounds, 0.75), wideRounds / 2);
}

}  // namespace
}  // namespace varnokit
