// A short fingerprint of a whole solution list, so that two runs with
// millions of solutions can be compared without printing them.
#pragma once

#include <string>

#include "model/solution_list.h"

namespace varnokit::cli {

// 64-bit FNV-1a over the text "DIVISOR QUOTIENT\n" of every solution in
// order ("DIVISOR QUOTIENT REMAINDER\n" when the remainder has hidden cells),
// as 16 lower-case hex digits. Any script can compute the same value from a
// list of solutions.
std::string solutionDigest(const SolutionList& solutions);

}  // namespace varnokit::cli
