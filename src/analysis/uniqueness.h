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

// What "一意解" writes: both passes, and when neither finds anything the
// line "一つの条件・一つの数字では一意化できません。", so the user sees that
// the analysis ran.
std::vector<std::string> analyseUniqueness(const PuzzleState& state);

}  // namespace varnokit
