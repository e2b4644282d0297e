// Hand-built puzzle states with stored solutions, for tests of the code that
// reads a finished Solve (the analysis, the command line's output).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/puzzle_state.h"

namespace varnokit::testing {

// A puzzle as the records hold it after the checks: the typed rows are the
// problem record's patterns (interior rows in solver order, leading blanks
// kept, "" for the empty pair of a zero quotient digit); the WorkRecord gets
// them trimmed, with `fixedQuotient` for the quotient cells fixed before the search.
struct Layout {
    std::string divisor;
    std::string quotient;
    std::string fixedQuotient;  // the WorkRecord's quotient; empty = as typed
    std::string dividend;
    std::vector<std::string> interior;
    int remainder = 0;
};

// The state after a search that stored the given (divisor, quotient) pairs in order.
std::unique_ptr<PuzzleState> solvedState(const Layout& layout,
                                         const std::vector<std::pair<int64_t, int64_t>>& solutions);

}  // namespace varnokit::testing
