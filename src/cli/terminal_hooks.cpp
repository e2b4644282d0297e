// The terminal hooks: a Ctrl-C or an expired timeout sets the abort flag at
// the search's progress check, exactly where the window lets Abort act.
#include "cli/terminal_hooks.h"

#include <utility>

namespace varnokit::cli {

TerminalHooks::TerminalHooks(PuzzleState& state, SystemServices services, double timeoutSeconds,
                             bool showProgress)
    : state_(state),
      services_(std::move(services)),
      timeout_(timeoutSeconds),
      started_(services_.monotonicSeconds()),
      bar_(showProgress) {}

void TerminalHooks::processPendingInput() {
    if (services_.interrupted()) state_.abortFlag = 1;
    if (timeout_ > 0 && services_.monotonicSeconds() - started_ >= timeout_) {
        timedOut_ = true;
        state_.abortFlag = 1;
    }
}

void TerminalHooks::progressReset() { bar_.reset(services_.monotonicSeconds()); }

void TerminalHooks::progressShow(bool visible) {
    if (visible) return;  // the bar appears only once the search has run a while
    const std::string erase = bar_.finish();
    if (!erase.empty()) services_.writeProgress(erase);
}

void TerminalHooks::progressStep() {
    const std::string drawn = bar_.step(services_.monotonicSeconds());
    if (!drawn.empty()) services_.writeProgress(drawn);
}

void TerminalHooks::sleepMs(int ms) { services_.sleepMs(ms); }

double TerminalHooks::now() { return services_.localNow(); }

std::string TerminalHooks::formatStartTime(double when) { return services_.formatStartTime(when); }

std::string TerminalHooks::clockDescription() { return services_.clockDescription(); }

}  // namespace varnokit::cli
