// Text forms of a solved puzzle for the terminal: the solutions laid out as
// the window's solution pane shows them, and the result log.
#pragma once

#include <string>
#include <vector>

#include "model/puzzle_state.h"

namespace varnokit::cli {

// The pane lines of stored solution `index`: the dividend, every written
// interior row right-aligned to its column in the typed puzzle (the empty
// rows of a zero quotient digit left out), and the final remainder
// right-aligned under the dividend's last digit. Plain ASCII digits.
std::vector<std::string> paneLines(const PuzzleState& state, int index);

// The quotient right-aligned over the dividend's last digit, as the
// quotient box above the pane shows it.
std::string quotientLine(const PuzzleState& state, int index);

// Solution `index` for the terminal (UTF-8, no line ends): the heading
// "n番目／m個中", the quotient line, the divisor beside the dividend, the
// other pane lines under the dividend, and for a puzzle with masks the line
// of their digits, "ア=1 イ=6 ウ=7".
std::vector<std::string> solutionBlock(const PuzzleState& state, int index);

// Right-aligns `text` in a field of `width` characters; a longer text is kept whole.
std::string rightAligned(const std::string& text, int width);

}  // namespace varnokit::cli
