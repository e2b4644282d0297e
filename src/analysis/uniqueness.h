// Uniqueness analysis over the stored solutions of the last Solve: which
// extra condition "no * is d", and which single revealed digit, would leave
// exactly one of them. Returns the lines for the result log (cp932).
#pragma once

#include <string>
#include <vector>

#include "model/puzzle_state.h"

namespace varnokit {

// "条件により一意化可能" followed by "  * ≠d" lines, or nothing.
std::vector<std::string> analyseConditions(const PuzzleState& state);

// "数字化により一意化可能" followed by "prefix P → P′" lines, or nothing.
std::vector<std::string> analyseDigits(const PuzzleState& state);

}  // namespace varnokit
