// Solving puzzles over and over without a window: each probe runs the whole
// Solve pipeline (checks, deductions, propagation, search) quietly, stopping
// at the number of solutions asked for, and keeps the divisions it found.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "compose/compose_control.h"
#include "compose/draft.h"
#include "model/puzzle_input.h"
#include "model/puzzle_state.h"
#include "solver/solve.h"

namespace varnokit::compose {

enum class ProbeVerdict {
    None,      // no solution
    Unique,    // exactly one, searched to the end
    Several,   // at least two (the search may have stopped at the limit)
    Rejected,  // the checks refused the puzzle
    Stopped,   // the user or a limit stopped the search; `found` holds what was found
};

struct ProbeResult {
    ProbeVerdict verdict = ProbeVerdict::None;
    std::vector<Division> found;  // in the order found, at most the limit asked for
    bool complete = false;        // the search ran to its end: `found` holds every solution
    uint64_t searchSteps = 0;     // the search's work
};

class SolutionProbe {
public:
    SolutionProbe(ComposeControl& control, SearchEngine engine = SearchEngine::Fast);
    ~SolutionProbe();

    // Solves `input`, keeping at most `limit` solutions (the search stops at
    // the limit-th; 2 answers "is it unique?").
    ProbeResult run(const PuzzleInput& input, int64_t limit);
    // The state of the last run: the parsed puzzle, its pending message.
    const PuzzleState& state() const { return *state_; }
    int runs() const { return runs_; }

private:
    ComposeControl& control_;
    SearchEngine engine_;
    std::unique_ptr<PuzzleState> state_;  // three records: too large for the stack
    int runs_ = 0;
};

}  // namespace varnokit::compose
