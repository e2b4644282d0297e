// Puzzles for the hostile-input tests: every cell a '*' (the largest search
// a layout of a given size allows), typed the way a user lays them out.
#pragma once

#include <string>

#include "model/puzzle_input.h"

namespace varnokit::testing {

// An s-digit divisor, a q-digit quotient with no zero digit, a dividend of
// s + q digits, every partial product and difference line s + 1 digits
// ending under its dividend column, and the given final remainder.
PuzzleInput allStarLayout(int s, int q, const std::string& remainder = "0");

}  // namespace varnokit::testing
