// The command line's side of a Solve: the result log collected in memory,
// the progress bar on standard error, and Ctrl-C or a timeout answered the
// way the window answers its Abort button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/progress_bar.h"
#include "model/puzzle_state.h"
#include "solver/solve_hooks.h"

namespace varnokit::cli {

// What the hooks need of the system; the tests pass fakes.
struct SystemServices {
    std::function<double()> monotonicSeconds;              // for the timeout and the bar
    std::function<double()> localNow;                      // days since 1899-12-30
    std::function<std::string(double)> formatStartTime;    // cp932
    std::function<std::string()> clockDescription;         // cp932, e.g. "2596 MHz"
    std::function<bool()> interrupted;                     // Ctrl-C was pressed
    std::function<void(const std::string&)> writeProgress; // to standard error
    std::function<void(int)> sleepMs;
    // How many solutions a search may store now; unset: the list's default.
    std::function<int64_t()> solutionLimit;
};

class TerminalHooks : public SolveHooks {
public:
    // timeoutSeconds 0: no timeout. showProgress: standard error is a terminal.
    TerminalHooks(PuzzleState& state, SystemServices services, double timeoutSeconds, bool showProgress);

    // --- What the Solve left ---
    const std::vector<std::string>& log() const { return log_; }  // cp932 lines
    bool timedOut() const { return timedOut_; }

    // --- SolveHooks ---
    void appendLog(const std::string& line) override { log_.push_back(line); }
    void processPendingInput() override;
    void progressReset() override;
    void progressShow(bool visible) override;
    void progressStep() override;
    void sleepMs(int ms) override;
    double now() override;
    std::string formatStartTime(double when) override;
    std::string clockDescription() override;

private:
    PuzzleState& state_;
    SystemServices services_;
    double timeout_;
    double started_;
    ProgressBar bar_;
    std::vector<std::string> log_;
    bool timedOut_ = false;
};

}  // namespace varnokit::cli
