// The mask table of a solution: which digit each masking character of the
// puzzle stands for in it, in the order the characters first appear.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/puzzle_state.h"

namespace varnokit {

struct MaskBinding {
    std::string character;  // cp932, as the puzzle typed it first ("ア", or "a" for a typed a)
    int digit = 0;
};

// For stored solution `index` of the last Solve; empty for a puzzle without masks.
std::vector<MaskBinding> maskTable(const PuzzleState& state, int64_t index);

// "ア=1 イ=6 ウ=7" (cp932); empty without masks.
std::string maskTableLine(const std::vector<MaskBinding>& table);

}  // namespace varnokit
