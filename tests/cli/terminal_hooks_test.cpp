// The terminal's side of a Solve: the delayed progress bar, and Ctrl-C and
// the timeout reaching the search through the abort flag.
#include <gtest/gtest.h>

#include "cli/progress_bar.h"
#include "cli/terminal_hooks.h"

namespace varnokit::cli {
namespace {

TEST(ProgressBar, StaysHiddenForQuickSearches) {
    ProgressBar bar(true, 0.5, 10);
    bar.reset(100.0);
    EXPECT_EQ(bar.step(100.2), "");
    EXPECT_EQ(bar.step(100.49), "");
    EXPECT_EQ(bar.finish(), "");  // nothing drawn, nothing to erase
    EXPECT_EQ(bar.position(), 2);
}

TEST(ProgressBar, DrawsAfterTheDelayAndErasesItself) {
    ProgressBar bar(true, 0.5, 10);
    bar.reset(0);
    for (int i = 0; i < 49; ++i) bar.step(0.1);
    EXPECT_EQ(bar.step(0.6), "\r[#####.....]  50%");
    const std::string erase = bar.finish();
    EXPECT_EQ(erase, "\r" + std::string(17, ' ') + "\r");
    EXPECT_EQ(bar.finish(), "");  // erased once
}

TEST(ProgressBar, FullAtAHundredStepsAndNeverOnAPipe) {
    ProgressBar bar(true, 0.5, 10);
    bar.reset(0);
    std::string last;
    for (int i = 0; i < 130; ++i) last = bar.step(1.0);
    EXPECT_EQ(last, "\r[##########] 100%");
    ProgressBar piped(false, 0.5, 10);
    piped.reset(0);
    EXPECT_EQ(piped.step(5.0), "");
    EXPECT_EQ(piped.finish(), "");
}

// Fake system services driven by the test.
struct FakeSystem {
    double monotonic = 1000.0;
    bool interrupted = false;
    std::string progressWritten;
    int clockCalls = 0;

    SystemServices services() {
        SystemServices s;
        s.monotonicSeconds = [this] { return monotonic; };
        s.localNow = [] { return 46000.5; };
        s.formatStartTime = [](double) { return std::string("2025/12/08 12:00:00"); };
        s.clockDescription = [this] {
            ++clockCalls;
            return std::string("2596 MHz");
        };
        s.interrupted = [this] { return interrupted; };
        s.writeProgress = [this](const std::string& text) { progressWritten += text; };
        s.sleepMs = [](int) {};
        return s;
    }
};

TEST(TerminalHooks, TimeoutSetsTheAbortFlagAtTheProgressCheck) {
    FakeSystem system;
    PuzzleState state;
    TerminalHooks hooks(state, system.services(), 2.0, false);
    system.monotonic += 1.9;
    hooks.processPendingInput();
    EXPECT_EQ(state.abortFlag, 0);
    EXPECT_FALSE(hooks.timedOut());
    system.monotonic += 0.2;
    hooks.processPendingInput();
    EXPECT_EQ(state.abortFlag, 1);
    EXPECT_TRUE(hooks.timedOut());
}

TEST(TerminalHooks, CtrlCSetsTheAbortFlagWithoutATimeout) {
    FakeSystem system;
    PuzzleState state;
    TerminalHooks hooks(state, system.services(), 0, false);
    system.monotonic += 1e6;  // no timeout: time alone never aborts
    hooks.processPendingInput();
    EXPECT_EQ(state.abortFlag, 0);
    system.interrupted = true;
    hooks.processPendingInput();
    EXPECT_EQ(state.abortFlag, 1);
    EXPECT_FALSE(hooks.timedOut());
}

TEST(TerminalHooks, CollectsTheLogAndDrawsTheBarOnlyOnATerminal) {
    FakeSystem system;
    PuzzleState state;
    TerminalHooks hooks(state, system.services(), 0, true);
    hooks.appendLog("first");
    hooks.appendLog("second");
    EXPECT_EQ(hooks.log(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(hooks.clockDescription(), "2596 MHz");
    hooks.progressReset();
    hooks.progressShow(true);
    hooks.progressStep();
    EXPECT_EQ(system.progressWritten, "");
    system.monotonic += 0.6;
    hooks.progressStep();
    EXPECT_NE(system.progressWritten.find("]   2%"), std::string::npos);
    hooks.progressShow(false);
    EXPECT_EQ(system.progressWritten.back(), '\r');  // the bar is erased at the end
}

}  // namespace
}  // namespace varnokit::cli
