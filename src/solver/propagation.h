// Digit-bound propagation: before the search every digit position gets the
// inclusive range of digits it may still take, narrowed by facts every
// correct long division satisfies. A position narrowed to one digit is fixed
// through the cell check, which writes the digit and binds a letter there.
#pragma once

#include "model/puzzle_state.h"

namespace varnokit {

// --- Ranges ---
// Sets the first ranges of one row: a digit cell gets exactly its digit; a
// '*' or letter gets 1…9 at position 0 (no number begins with 0), else 0…9.
void initialRanges(WorkRow& row);

// --- Propagation ---
// Runs on the WorkRecord after the checks and the first letter substitution:
// initial ranges for dividend, divisor, quotient and every non-empty interior
// row, then the narrowing rules and cell checks, the whole sequence twice.
// Returns 0 when both passes ran; 1 when a cell check failed, after appending
// "問題に矛盾。" behind the check's own message (ranges narrowed and cells fixed
// so far stay). A '*' narrowed to the condition digit alone is left as '*'.
int propagateBounds(PuzzleState& state);

}  // namespace varnokit
