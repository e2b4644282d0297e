// The Solve command without its window: preparation, the checks of the
// parser in order, letter substitution, bound propagation, the search with
// progress and abort, the timing line and the summary.
#include "solver/solve.h"

#include <string>

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
// line is already in the log).
bool checkAndDeduce(PuzzleState& state, const PuzzleInput& input, SolveHooks& hooks) {
    state.pending.clear();
    const ParseStatus status = parse(state, input);
    if (status == ParseStatus::MaskOverflow) hooks.appendLog(kMaskOverflowMessage);
    if (status != ParseStatus::Ok || !state.pending.empty()) return false;
    lengthChecks(state);
    if (!state.pending.empty()) return false;
    layoutChecks(state);
    if (!state.pending.empty()) return false;
    relayout(state);
    if (!state.pending.empty()) return false;
    prededuce(state);
    if (!state.pending.empty()) return false;
    // A letter bound to 0 at the head of a row ends the Solve without a message.
    if (!substituteLetters(state)) return false;
    if (propagateBounds(state) != 0) return false;
    return substituteLetters(state);
}

// Runs the search and tells how it ended.
SolveOutcome runSearch(PuzzleState& state, SolveHooks& hooks, const SolveOptions& options) {
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
    // The last count, which the refresh rate may have held back.
    if (state.solutions.count() != context.countShown) hooks.showSolutionCount(state.solutions.count());
    return outcome;
}

// A search stopped at the number of solutions asked for never says
// "一意解です。": more solutions may follow the first.
void writeSummary(const PuzzleState& state, SolveHooks& hooks, SolveOutcome outcome) {
    const int64_t count = state.solutions.count();
    if (outcome == SolveOutcome::Limited) {
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
    hooks.beginCommand();
    resetLetters(state.letters);
    state.abortFlag = 0;

    const double start = hooks.now();
    hooks.appendLog(hooks.formatStartTime(start) + kStartedSuffix);
    hooks.scrollBodyToTop();

    SolveOutcome outcome = SolveOutcome::Rejected;
    if (checkAndDeduce(state, input, hooks)) {
        hooks.showMaskCount(state.maskCount);
        hooks.setBusyCursor(true);
        outcome = runSearch(state, hooks, options);
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
    writeSummary(state, hooks, outcome);
    hooks.scrollLogToTop();
    if (count >= 1) {
        state.solutions.setCurrent(0);
        hooks.showFirstSolution();
    }
    return outcome;
}

}  // namespace varnokit
