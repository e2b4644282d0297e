// Solve hooks for the fuzz targets: the log is collected, time and clock are
// fixed, and a search still running after two seconds is stopped like Abort.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "model/puzzle_state.h"
#include "solver/solve_hooks.h"

namespace varnokit::fuzzing {

class FuzzHooks : public SolveHooks {
public:
    explicit FuzzHooks(PuzzleState& state) : state_(state) {}
    void appendLog(const std::string& line) override { log.push_back(line); }
    double now() override { return 46000.5; }
    std::string formatStartTime(double) override { return "t"; }
    std::string clockDescription() override { return "c"; }
    void processPendingInput() override {
        if (std::chrono::steady_clock::now() - started_ > std::chrono::seconds(2)) state_.abortFlag = 1;
    }
    std::vector<std::string> log;

private:
    PuzzleState& state_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

}  // namespace varnokit::fuzzing
