// Limits that protect the user: a search that finds more solutions than the
// list may hold stops and keeps them, and Abort, a timeout or Ctrl-C end
// even the largest search within a second, whichever engine runs it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "cli/terminal_hooks.h"
#include "hostile/layouts.h"
#include "model/parser.h"
#include "solver/fake_hooks.h"
#include "solver/propagation.h"
#include "solver/search.h"
#include "solver/solve.h"
#include "solver/substitution.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::FakeHooks;
using testing::allStarLayout;
using testing::sjis;
using Clock = std::chrono::steady_clock;

// Every two-digit divisor with quotient 1 and remainder 0: 90 solutions.
const PuzzleInput kNinetySolutions{"**", "1", {"**", "**", "0"}, ""};

std::vector<std::pair<int64_t, int64_t>> stored(const PuzzleState& state) {
    std::vector<std::pair<int64_t, int64_t>> out;
    for (int i = 0; i < state.solutions.count(); ++i)
        out.emplace_back(state.solutions.at(i).divisor, state.solutions.at(i).quotient);
    return out;
}

/* --- The solution limit --- */

TEST(SolutionLimit, StopsTheSearchAndKeepsWhatItFound) {
    PuzzleState unlimited;
    FakeHooks allHooks(&unlimited);
    ASSERT_EQ(solve(unlimited, kNinetySolutions, allHooks, SolveOptions{false, SearchEngine::Reference}),
              SolveOutcome::Searched);
    ASSERT_EQ(unlimited.solutions.count(), 90);

    for (SearchEngine engine : {SearchEngine::Reference, SearchEngine::Fast}) {
        PuzzleState state;
        state.solutions.setLimit(10);
        FakeHooks hooks(&state);
        EXPECT_EQ(solve(state, kNinetySolutions, hooks, SolveOptions{false, engine}),
                  SolveOutcome::Aborted);
        // The ten kept are the first ten an unlimited search finds, in order.
        const auto all = stored(unlimited);
        EXPECT_EQ(stored(state), decltype(all)(all.begin(), all.begin() + 10));
        ASSERT_EQ(hooks.log.size(), 3u);
        EXPECT_EQ(hooks.log[1], sjis("記憶できる解の数の上限（10個）に達したため、探索を打ち切りました。"));
        EXPECT_EQ(hooks.log[2].rfind(sjis("10個の解があります。  所要時間: "), 0), 0u) << testing::utf8(hooks.log[2]);
        EXPECT_EQ(state.solutions.current(), 0);
        EXPECT_TRUE(hooks.analyseEnabled);
    }
}

TEST(SolutionLimit, ExactlyFullIsNoStopAndTheLimitSurvivesTheNextSolve) {
    PuzzleState state;
    state.solutions.setLimit(90);
    FakeHooks hooks(&state);
    EXPECT_EQ(solve(state, kNinetySolutions, hooks, SolveOptions{false, SearchEngine::Reference}),
              SolveOutcome::Searched);
    EXPECT_EQ(state.solutions.count(), 90);
    state.solutions.setLimit(89);
    FakeHooks again(&state);
    EXPECT_EQ(solve(state, kNinetySolutions, again, SolveOptions{false, SearchEngine::Reference}),
              SolveOutcome::Aborted);
    EXPECT_EQ(state.solutions.count(), 89);
    EXPECT_EQ(state.solutions.limit(), 89);
}

TEST(SolutionLimit, DefaultKeepsTensOfMillionsWithinAGigabyte) {
    SolutionList list;
    EXPECT_GE(list.limit(), 50'000'000);
    EXPECT_LE(static_cast<std::size_t>(list.limit()) * sizeof(StoredSolution), kSolutionMemoryBudget);
}

/* --- Abort latency on the largest layouts --- */

// Presses Abort (through `press`) 300 ms after the search starts, and notes
// when the search saw it first.
class LateAbortHooks : public SolveHooks {
public:
    explicit LateAbortHooks(PuzzleState& state) : state_(state) {}
    void appendLog(const std::string& line) override { log.push_back(line); }
    double now() override { return 46000.5; }
    std::string formatStartTime(double) override { return "t"; }
    std::string clockDescription() override { return "c"; }
    void progressReset() override { started = Clock::now(); }
    void processPendingInput() override {
        if (Clock::now() - started >= std::chrono::milliseconds(300) && state_.abortFlag == 0) {
            state_.abortFlag = 1;
            pressed = Clock::now();
        }
    }
    Clock::time_point started{};
    Clock::time_point pressed{};
    std::vector<std::string> log;

private:
    PuzzleState& state_;
};

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// A 12-digit divisor and a 6-digit quotient, every cell '*': years of search.
const PuzzleInput kHugeSearch = allStarLayout(12, 6);

TEST(AbortLatency, SolveEndsWithinASecondOfAbortWithEitherEngine) {
    for (SearchEngine engine : {SearchEngine::Reference, SearchEngine::Fast}) {
        PuzzleState state;
        LateAbortHooks hooks(state);
        const Clock::time_point begin = Clock::now();
        EXPECT_EQ(solve(state, kHugeSearch, hooks, SolveOptions{false, engine}), SolveOutcome::Aborted);
        ASSERT_NE(hooks.pressed, Clock::time_point{}) << "the search never let input run";
        EXPECT_LT(secondsSince(hooks.pressed), 1.0);
        EXPECT_LT(secondsSince(begin), 2.0);
        EXPECT_EQ(hooks.log[1], sjis("中止されました！"));
    }
}

// The fast engine on its own, whatever engine solve() picks for it today.
TEST(AbortLatency, FastEngineEndsWithinASecondOfAbort) {
    PuzzleState state;
    LateAbortHooks hooks(state);
    ASSERT_EQ(parse(state, kHugeSearch), ParseStatus::Ok);
    lengthChecks(state);
    layoutChecks(state);
    ASSERT_EQ(relayout(state), 0);
    prededuce(state);
    ASSERT_TRUE(state.pending.empty()) << testing::utf8(state.pending);
    ASSERT_TRUE(substituteLetters(state));
    ASSERT_EQ(propagateBounds(state), 0);
    ASSERT_TRUE(substituteLetters(state));
    SearchContext context{state, hooks, chooseProgressLevel(state), {}, SearchStats{}};
    state.solutions.beginSearch(state.work);
    hooks.progressReset();
    EXPECT_THROW(searchFast(context), SearchAborted);
    ASSERT_NE(hooks.pressed, Clock::time_point{});
    EXPECT_LT(secondsSince(hooks.pressed), 1.0);
}

// --timeout and Ctrl-C reach the search through the terminal's hooks.
TEST(AbortLatency, TerminalTimeoutAndInterruptEndTheSearchWithinASecond) {
    for (bool byTimeout : {true, false}) {
        PuzzleState state;
        const Clock::time_point begin = Clock::now();
        cli::SystemServices services;
        services.monotonicSeconds = [] { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); };
        services.localNow = [] { return 46000.5; };
        services.formatStartTime = [](double) { return std::string("t"); };
        services.clockDescription = [] { return std::string("c"); };
        services.interrupted = [&] { return !byTimeout && secondsSince(begin) >= 0.3; };
        services.writeProgress = [](const std::string&) {};
        services.sleepMs = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
        cli::TerminalHooks hooks(state, services, byTimeout ? 0.3 : 0.0, false);
        EXPECT_EQ(solve(state, kHugeSearch, hooks, SolveOptions{false, SearchEngine::Fast}),
                  SolveOutcome::Aborted);
        EXPECT_LT(secondsSince(begin), 1.3);
        EXPECT_EQ(hooks.timedOut(), byTimeout);
    }
}

}  // namespace
}  // namespace varnokit
