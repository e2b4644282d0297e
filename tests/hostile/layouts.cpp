// All-'*' layouts of any size.
#include "hostile/layouts.h"

namespace varnokit::testing {

PuzzleInput allStarLayout(int s, int q, const std::string& remainder) {
    PuzzleInput input;
    input.divisor.assign(static_cast<std::size_t>(s), '*');
    input.quotient.assign(static_cast<std::size_t>(q), '*');
    input.bodyLines.push_back(std::string(static_cast<std::size_t>(s + q), '*'));
    const std::string row(static_cast<std::size_t>(s + 1), '*');
    for (int k = 0; k < q; ++k) {
        // Quotient digit k ends its lines in dividend column s + k - 1 + 1.
        const std::string indent(static_cast<std::size_t>(k), ' ');
        if (k > 0) input.bodyLines.push_back(indent + row);  // the difference line above P_k
        input.bodyLines.push_back(indent + row);             // P_k
    }
    input.bodyLines.push_back(remainder);
    return input;
}

}  // namespace varnokit::testing
