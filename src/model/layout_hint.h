// Recognises the usual cause of a kana puzzle that looks lined up but is
// refused: one character is one cell, but a full-width character is two
// columns on the screen, so two half-width blanks under it are two cells.
#pragma once

#include "model/puzzle_input.h"

namespace varnokit {

// True when a line of the quotient or body holds a full-width (double-byte)
// character other than the full-width blank, and a line of the body below
// the dividend starts with a half-width blank.
bool mixesFullWidthWithHalfWidthBlanks(const PuzzleInput& input);

}  // namespace varnokit
