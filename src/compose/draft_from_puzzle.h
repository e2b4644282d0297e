// The draft of a typed puzzle: its cells as typed (digit, '*' or mask), the
// digits of one of its solutions, its condition and masking characters.
#pragma once

#include "compose/draft.h"
#include "model/puzzle_state.h"

namespace varnokit::compose {

// The division of stored solution `index`: divisor, quotient, remainder.
Division storedDivision(const PuzzleState& state, int64_t index);

// Builds the draft of the puzzle a Solve parsed into `state`, with the
// digits of `solution` (one of its solutions). False when the solution
// does not fit the typed rows (it is no solution of this puzzle).
bool draftFromPuzzle(const PuzzleState& state, const Division& solution, Draft& out);

}  // namespace varnokit::compose
