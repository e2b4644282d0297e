// Letter substitution and the condition on cells typed as '*': the steps of
// a Solve between the layout deductions and the search.
#pragma once

#include "model/puzzle_state.h"

namespace varnokit {

// --- Letter substitution ---
// Replaces every cell holding a bound mask letter by its digit, in the rows
// dividend, divisor, quotient, each non-empty interior row and the final
// remainder. Returns false as soon as a replacement puts '0' into the first
// cell of a row (the rows after it are left as they were); a remainder of
// one cell may be 0.
bool substituteLetters(PuzzleState& state);

// --- A remainder typed with hidden cells ---
// When the deductions have fixed every cell of a remainder typed with '*' or
// letters, it is known before the search: its value is set and it is no
// longer open. Written cells read as a number of exactly their count, so a
// leading 0 in more than one cell leaves no solution: false.
bool settleRemainder(PuzzleState& state);

// --- Cells typed as '*' ---
// The condition forbids its digit to every cell typed as '*'. The layout
// deductions may have matched such a cell with a letter (so the WorkRecord
// holds the letter there) or, through that letter, fixed it to a digit.
struct TypedStarCells {
    bool letterAvoidsCondition[kMaskLetters] = {};  // unbound letters now in such cells
    bool holdsCondition = false;  // such a cell already holds the condition digit
};
// Compares the problem record (cells as typed) with the WorkRecord (cells
// as deduced), row by row; interior rows are aligned by their right ends.
TypedStarCells examineTypedStars(const PuzzleState& state);

}  // namespace varnokit
