// The Solve command without its window: checks, deductions, bound
// propagation, the search, the timing line and the summary, reported through
// the hooks in the order the user sees them.
#pragma once

#include <cstdint>

#include "model/puzzle_input.h"
#include "model/puzzle_state.h"
#include "solver/solve_hooks.h"

namespace varnokit {

enum class SearchEngine {
    Reference,  // the straightforward divisor-first enumeration
    Fast,       // the pruning engine; the same solutions in the same order
};

struct SolveOptions {
    bool beep = true;                        // "終了音" 有
    SearchEngine engine = SearchEngine::Fast;
    bool countOnly = false;                  // count the solutions, store none
    int64_t maxSolutions = 0;                // stop at this many solutions; 0: find all
    uint64_t* searchSteps = nullptr;         // when set: receives the search's steps (its work)
};

enum class SolveOutcome {
    Rejected,  // the checks or propagation stopped it; nothing was searched
    Searched,  // the search ran to its end
    Aborted,   // the search was stopped by Abort, or the list could not take more
    Limited,   // the search stopped at the maxSolutions-th solution
};

SolveOutcome solve(PuzzleState& state, const PuzzleInput& input, SolveHooks& hooks,
                   const SolveOptions& options);

}  // namespace varnokit
