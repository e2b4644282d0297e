// What the window sees of the fast engine: the bar steps about a hundred
// times, the count grows a few times a second up to the full count, and
// Abort stops the search at once, keeping the solutions found before it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "fake_hooks.h"
#include "solver/messages.h"
#include "solver/solve.h"

namespace varnokit {
namespace {

using testing::FakeHooks;

// 2 … 4 digit divisor, two-digit quotient, every cell hidden: many solutions.
PuzzleInput openPuzzle() {
    PuzzleInput input;
    input.divisor = "***";
    input.quotient = "**";
    input.bodyLines = {"****", "***", " ***", " ***", "0"};
    return input;
}

SolveOutcome solveFast(PuzzleState& state, FakeHooks& hooks) {
    SolveOptions options;
    options.beep = false;
    options.engine = SearchEngine::Fast;
    return solve(state, openPuzzle(), hooks, options);
}

TEST(FastEngineWindow, StepsTheBarAboutAHundredTimesAndShowsTheCountAFewTimesASecond) {
    PuzzleState state;
    FakeHooks hooks(&state);
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_EQ(solveFast(state, hooks), SolveOutcome::Searched);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_GE(hooks.progressSteps, 90);
    EXPECT_LE(hooks.progressSteps, 110);
    const int64_t count = state.solutions.count();
    ASSERT_GT(count, 20);
    // The first solution at once, then at most one update per 250 ms, the
    // full count last: never one update per solution.
    ASSERT_FALSE(hooks.shownCounts.empty());
    EXPECT_EQ(hooks.shownCounts.front(), 1);
    EXPECT_EQ(hooks.shownCounts.back(), count);
    EXPECT_LE(static_cast<double>(hooks.shownCounts.size()), 2 + seconds / 0.25);
    EXPECT_TRUE(std::is_sorted(hooks.shownCounts.begin(), hooks.shownCounts.end()));
}

TEST(FastEngineWindow, AbortStopsTheSearchAndKeepsEarlierSolutions) {
    PuzzleState complete;
    FakeHooks all(&complete);
    ASSERT_EQ(solveFast(complete, all), SolveOutcome::Searched);

    PuzzleState state;
    FakeHooks hooks(&state);
    hooks.abortAtInput = 40;  // the user presses Abort while the search runs
    ASSERT_EQ(solveFast(state, hooks), SolveOutcome::Aborted);
    EXPECT_NE(std::find(hooks.log.begin(), hooks.log.end(), std::string(kAbortedMessage)), hooks.log.end());
    EXPECT_EQ(hooks.abortDisabled, 1);
    // What was stored is the start of the full list, in order.
    const int kept = state.solutions.count();
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, complete.solutions.count());
    for (int i = 0; i < kept; ++i) {
        EXPECT_EQ(state.solutions.at(i).divisor, complete.solutions.at(i).divisor);
        EXPECT_EQ(state.solutions.at(i).quotient, complete.solutions.at(i).quotient);
    }
}

}  // namespace
}  // namespace varnokit
