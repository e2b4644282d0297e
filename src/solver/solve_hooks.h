// What a Solve needs of the front end that runs it: the window implements
// these with its boxes, buttons and progress bar, the command line with its
// terminal, and the tests with fakes. Every text is cp932.
#pragma once

#include <cstdint>
#include <string>

namespace varnokit {

class SolveHooks {
public:
    virtual ~SolveHooks() = default;

    // --- Controls ---
    virtual void beginCommand() {}        // disable every command but Abort, empty the output boxes
    virtual void endCommand(bool /*canAnalyse*/) {}  // give the commands back; Abort off
    virtual void disableAbort() {}        // the search has seen the abort flag
    virtual void scrollBodyToTop() {}
    virtual void scrollLogToTop() {}
    virtual void setBusyCursor(bool /*busy*/) {}
    virtual void showMaskCount(int /*count*/) {}
    virtual void showSolutionCount(int64_t /*count*/) {}  // grows while the search runs, a few times a second
    virtual void showFirstSolution() {}   // the list's current node is its head

    // --- Result log ---
    virtual void appendLog(const std::string& line) = 0;

    // --- Progress ---
    virtual void progressReset() {}       // range 0 … 100, step 1, position 0
    virtual void progressShow(bool /*visible*/) {}
    virtual void progressStep() {}
    // Let the user's input run (the Abort button may set the abort flag now).
    virtual void processPendingInput() {}
    virtual void sleepMs(int /*ms*/) {}

    // --- System ---
    virtual void beep() {}
    // Local date and time, in days since 1899-12-30 (fractional), and its text form.
    virtual double now() = 0;
    virtual std::string formatStartTime(double /*when*/) = 0;
    // The processor clock text, e.g. "2596 MHz"; measured after the search.
    virtual std::string clockDescription() = 0;
};

}  // namespace varnokit
