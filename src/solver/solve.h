// The Solve command without its window: checks, deductions, bound
// propagation, the search, the timing line and the summary, reported through
// the hooks in the order the user sees them.
#pragma once

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
};

enum class SolveOutcome {
    Rejected,  // the checks or propagation stopped it; nothing was searched
    Searched,  // the search ran to its end
    Aborted,   // the search was stopped by Abort
};

SolveOutcome solve(PuzzleState& state, const PuzzleInput& input, SolveHooks& hooks,
                   const SolveOptions& options);

}  // namespace varnokit
