// Naming the cells that must stay shown: "divisor", "quotient", "dividend",
// "lineN" (the N-th written line below the dividend) or "remainder", or the
// same in Japanese (cp932: 除数, 商, 被除数, N行目, 余り), each alone for the whole row
// or followed by ":" and positions counted from the left, from 1: a list
// of single positions and ranges, "dividend:1,3-5".
#pragma once

#include <string>
#include <vector>

#include "compose/draft.h"

namespace varnokit::compose {

// Marks in `keep` (sized to the draft's cells) the cells that `items`
// names; the items are separated by blanks (half- or full-width).
// On a bad one, false with `bad` holding it.
bool markKeptCells(const Draft& draft, const std::string& items, std::vector<bool>& keep, std::string& bad);

}  // namespace varnokit::compose
