// The progress level and the progress check: where the search lets the
// window run and reads the abort flag, about a hundred times per search.
#include "solver/search.h"

namespace varnokit {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Tracks the free (non-digit) cells met so far. The second free choice is a
// '*' after the first one, or a letter other than the first one; a repeat of
// the first letter is no new choice.
class FreeChoices {
public:
    bool isSecond(char cell) {
        if (isDigit(cell)) return false;
        if (first_ == 0) {
            first_ = cell;
            return false;
        }
        return cell == '*' || cell != first_;
    }

private:
    char first_ = 0;
};

}  // namespace

int chooseProgressLevel(const PuzzleState& state) {
    const WorkRow& divisor = state.work.rows[kDivisorRow];
    const WorkRow& quotient = state.work.rows[kQuotientRow];
    const int s = divisor.length;
    const int q = quotient.length;
    FreeChoices choices;
    for (int p = 0; p < s; ++p) {
        if (!choices.isSecond(divisor.text[p])) continue;
        return p != s - 1 ? p + 1 : q + 99;
    }
    for (int m = q - 1; m >= 0; --m) {
        if (!choices.isSecond(quotient.text[m])) continue;
        return m > 0 ? m + 99 : -1;
    }
    return -1;
}

namespace {

[[noreturn]] void raiseAbort(SearchContext& context) {
    context.hooks.disableAbort();
    context.hooks.sleepMs(100);
    context.hooks.processPendingInput();
    throw SearchAborted{};
}

}  // namespace

void progressCheck(SearchContext& context) {
    ++context.stats.progressChecks;
    context.hooks.progressStep();
    refreshSolutionCount(context);
    context.hooks.processPendingInput();
    context.lastInput = std::chrono::steady_clock::now();
    if (context.state.abortFlag == 1) raiseAbort(context);
}

// An all-'*' layout with a ten-digit divisor reaches its progress level
// only every few minutes; without this the Abort button and --timeout
// waited that long.
void pollInput(SearchContext& context) {
    const auto now = std::chrono::steady_clock::now();
    if (now - context.lastInput < kInputPollInterval) return;
    refreshSolutionCount(context);
    context.hooks.processPendingInput();
    context.lastInput = std::chrono::steady_clock::now();
    if (context.state.abortFlag == 1) raiseAbort(context);
}

}  // namespace varnokit
