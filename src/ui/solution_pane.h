// The texts of the solution pane for one stored solution: the worked
// division as the right half of the window shows it, each number ending in
// the column where its row ends in the typed puzzle.
#pragma once

#include <string>
#include <vector>

#include "model/puzzle_state.h"

namespace varnokit::ui {

struct SolutionPaneText {
    std::string sequence;            // "n" of "n番目／m個中"
    std::string count;               // "m"
    std::string divisor;             // unpadded; its box is right-justified
    std::string quotient;            // right-aligned over the dividend's last digit
    std::vector<std::string> body;   // dividend, non-empty interior rows, remainder
};

// Precondition: 0 <= index < state.solutions.count().
SolutionPaneText solutionPaneText(const PuzzleState& state, int index);

// `text` right-aligned in a field of `width` characters; never cut.
std::string padLeft(const std::string& text, int width);

}  // namespace varnokit::ui
