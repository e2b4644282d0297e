// A fixed order of choices that starts the search from the divisor's right
// end. Known trailing digits of the divisor, together with the quotient
// digits, fix the low digits of every row exactly; where the rows' patterns
// hold digits or letters near their right ends, choosing those digits first
// refutes most assignments long before the divisor's leading digits are
// known. The plan names the choices up to the point where the right ends
// have nothing more to say, and for each choice the cells it makes checkable.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/fast_search_puzzle.h"

namespace varnokit::fast {

enum class RowKind : int8_t { Divisor, Quotient, Product, Difference, Dividend };

// One cell whose digit is known once the choices up to its step are made.
struct CellCheck {
    RowKind row;
    int8_t k;         // quotient position of a product or difference row
    int8_t distance;  // from the row's right end: 0 is its last digit
    int8_t cell;      // the pattern's cell code
};

struct PlanStep {
    bool divisorLow = false;  // the next divisor digit from the right, or
    int quotient = 0;         // quotient digit k (when !divisorLow)
    std::vector<CellCheck> checks;  // cells this choice completes
};

// The plan for a search whose first `highFixed` divisor digits are known.
// Empty when the right ends hold nothing worth checking.
std::vector<PlanStep> planFromRight(const Puzzle& puzzle, int highFixed);

}  // namespace varnokit::fast
