// A front end for tests: records the log and the calls a Solve makes, fakes
// time and clock, and can press Abort at the n-th chance the search gives.
#pragma once

#include <string>
#include <vector>

#include "model/puzzle_state.h"
#include "solver/solve_hooks.h"

namespace varnokit::testing {

class FakeHooks : public SolveHooks {
public:
    explicit FakeHooks(PuzzleState* state = nullptr) : state_(state) {}

    void appendLog(const std::string& line) override { log.push_back(line); }
    double now() override {
        const double t = times.empty() ? 0.0 : times[nowCalls % times.size()];
        ++nowCalls;
        return t;
    }
    std::string formatStartTime(double) override { return "2026/12/08 16:00:00"; }
    std::string clockDescription() override {
        ++clockCalls;
        return "2596 MHz";
    }
    void processPendingInput() override {
        ++inputCalls;
        if (abortAtInput > 0 && inputCalls == abortAtInput && state_ != nullptr) state_->abortFlag = 1;
    }
    void progressStep() override { ++progressSteps; }
    void showSolutionCount(int64_t count) override { shownCounts.push_back(count); }
    void showMaskCount(int count) override { maskCount = count; }
    void showFirstSolution() override { ++firstSolutionShown; }
    void disableAbort() override { ++abortDisabled; }
    void endCommand(bool canAnalyse) override {
        ++endCalls;
        analyseEnabled = canAnalyse;
    }
    void beep() override { ++beeps; }
    void sleepMs(int ms) override { slept += ms; }

    std::vector<std::string> log;
    std::vector<double> times;  // successive now() values, cycled
    int nowCalls = 0;
    int clockCalls = 0;
    int inputCalls = 0;
    int abortAtInput = 0;  // 0: never press Abort
    int progressSteps = 0;
    std::vector<int64_t> shownCounts;
    int maskCount = -1;
    int firstSolutionShown = 0;
    int abortDisabled = 0;
    int endCalls = 0;
    bool analyseEnabled = false;
    int beeps = 0;
    int slept = 0;

private:
    PuzzleState* state_;
};

}  // namespace varnokit::testing
