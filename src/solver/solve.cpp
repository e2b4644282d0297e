// The Solve command without its window: preparation, the checks of the
// parser in order, letter substitution, bound propagation, the search with
// progress and abort, the timing line and the summary.
#include "solver/solve.h"

#include <string>

#include "model/layout_hint.h"
#include "model/parser.h"
#include "solver/engines.h"
#include "solver/messages.h"
#include "solver/propagation.h"
#include "solver/substitution.h"
#include "solver/local_time.h"

namespace varnokit {
namespace {

// The checking steps up to the search; false when one of them rejected the
// problem (its messages are in the pending message, or the mask overflow
// line is already in the log). `layoutRefused` tells that a check of the
// typed layout (parse to pre-deduction) left a message.
bool checkAndDeduce(PuzzleState& state, const PuzzleInput& input, SolveHooks& hooks, bool& layoutRefused) {
    state.pending.clear();
    const ParseStatus status = parse(state, input);
    if (status == ParseStatus::MaskOverflow) hooks.appendLog(kMaskOverflowMessage);
    layoutRefused = true;
    if (status != ParseStatus::Ok || !state.pending.empty()) return false;
    lengthChecks(state);
    if (!state.pending.empty()) return false;
    layoutChecks(state);
    if (!state.pending.empty()) return false;
    relayout(state);
    if (!state.pending.empty()) return false;
    prededuce(state);
    if (!state.pending.empty()) return false;
    layoutRefused = false;
    // A letter bound to 0 at the head of a row ends the Solve without a message.
    if (!substituteLetters(state)) return false;
    if (propagateBounds(state) != 0) return false;
    return substituteLetters(state) && settleRemainder(state);
}

// Runs the search and tells how it ended; `byUser` tells an abort (中止,
// or Ctrl-C and the timeout of the command line) from a stop at a limit.
SolveOutcome runSearch(PuzzleState& state, SolveHooks& hooks, const SolveOptions& options, bool& byUser) {
    SearchContext context{state, hooks, -1, {}, SearchStats{}};
    context.stopAfter = options.maxSolutions;
    const TypedStarCells stars = examineTypedStars(state);
    for (int i = 0; i < kMaskLetters; ++i) {
        context.letterAvoidsCondition[i] = stars.letterAvoidsCondition[i];
    }
    context.progressLevel = chooseProgressLevel(state);
    hooks.progressReset();
    hooks.progressShow(true);
    state.solutions.beginSearch(state.work);
    // A cell typed as '*' that the deductions already fixed to the condition
    // digit leaves nothing to search: no assignment can be a solution.
    if (stars.holdsCondition) return SolveOutcome::Searched;
    SolveOutcome outcome = SolveOutcome::Searched;
    try {
        searchFunction(options.engine)(context);
    } catch (const SearchAborted&) {
        hooks.appendLog(kAbortedMessage);
        outcome = SolveOutcome::Aborted;
        byUser = true;
    } catch (const SolutionLimitReached& stop) {
        // Stopped like an abort: what was found stays in the list.
        if (stop.outOfMemory) {
            hooks.appendLog(kOutOfMemoryMessage);
        } else {
            hooks.appendLog(kSolutionLimitPrefix + std::to_string(state.solutions.limit()) +
                            kSolutionLimitSuffix);
        }
        outcome = SolveOutcome::Aborted;
    } catch (const EnoughSolutions&) {
        hooks.appendLog(kEnoughSolutionsPrefix + std::to_string(options.maxSolutions) +
                        kSolutionLimitSuffix);
        outcome = SolveOutcome::Limited;
    }
    if (options.searchSteps) *options.searchSteps = context.stats.nodes;
    // The last count, which the refresh rate may have held back.
    if (state.solutions.count() != context.countShown) hooks.showSolutionCount(state.solutions.count());
    return outcome;
}

// A search stopped at the number of solutions asked for never says
// "一意解です。": more solutions may follow the first. Nor does a search
// stopped by 中止 say "一意解です。" or "解はありません。": its line counts
// the solutions found before the stop, and says so. (A stop at a limit has
// just said so in its own line.)
void writeSummary(const PuzzleState& state, SolveHooks& hooks, SolveOutcome outcome, bool byUser) {
    const int64_t count = state.solutions.count();
    if (outcome == SolveOutcome::Aborted && byUser) {
        const std::string before = kBeforeAbortPrefix;
        if (count == 0) {
            hooks.appendLog(before + kNoSolutionFoundMessage);
            hooks.appendLog(state.pending);
        } else if (count == 1) {
            hooks.appendLog(before + "1" + kSolutionsFoundSuffix);
            hooks.appendLog(state.pending);
        } else {
            hooks.appendLog(before + std::to_string(count) + kSolutionsFoundSuffix + state.pending);
        }
    } else if (outcome == SolveOutcome::Limited) {
        hooks.appendLog(std::to_string(count) + kSolutionsSuffix + state.pending);
    } else if (count == 0) {
        hooks.appendLog(kNoSolutionMessage);
        hooks.appendLog(state.pending);
    } else if (count == 1) {
        hooks.appendLog(kUniqueSolutionMessage);
        hooks.appendLog(state.pending);
    } else {
        hooks.appendLog(std::to_string(count) + kSolutionsSuffix + state.pending);
    }
}

}  // namespace

SolveOutcome solve(PuzzleState& state, const PuzzleInput& input, SolveHooks& hooks,
                   const SolveOptions& options) {
    // Preparation
    state.maskCount = 0;
    state.solutions.reset();
    state.solutions.setStoring(!options.countOnly);
    if (options.searchSteps) *options.searchSteps = 0;
    hooks.beginCommand();
    resetLetters(state.letters);
    state.abortFlag = 0;

    const double start = hooks.now();
    hooks.appendLog(hooks.formatStartTime(start) + kStartedSuffix);
    hooks.scrollBodyToTop();

    SolveOutcome outcome = SolveOutcome::Rejected;
    bool layoutRefused = false;
    bool abortedByUser = false;
    if (checkAndDeduce(state, input, hooks, layoutRefused)) {
        hooks.showMaskCount(state.maskCount);
        hooks.setBusyCursor(true);
        outcome = runSearch(state, hooks, options, abortedByUser);
        const double end = hooks.now();
        state.pending = kElapsedPrefix + formatElapsed(start, end) + kSecondsSuffix + "(" +
                        hooks.clockDescription() + ")";
    }

    // Common ending
    // Counted solutions (countOnly) cannot be shown or analysed.
    const int64_t count = state.solutions.stores() ? state.solutions.count() : 0;
    hooks.progressShow(false);
    hooks.endCommand(count >= 2);
    state.abortFlag = 0;
    hooks.setBusyCursor(false);
    if (options.beep) hooks.beep();
    writeSummary(state, hooks, outcome, abortedByUser);
    if (layoutRefused && mixesFullWidthWithHalfWidthBlanks(input)) hooks.appendLog(kFullWidthBlankHint);
    hooks.scrollLogToTop();
    if (count >= 1) {
        state.solutions.setCurrent(0);
        hooks.showFirstSolution();
    }
    return outcome;
}

}  // namespace varnokit
