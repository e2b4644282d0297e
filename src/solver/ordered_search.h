// The reference search's own path, taken quickly. Divisors ascending, digit
// by digit from the left, then the quotient digits from the right, each
// partial product and difference row matched as soon as its value is known,
// the dividend last: the same steps, by the same cell rules (cell_rules.h),
// so it accepts exactly what the reference search accepts, in its order.
// What makes it quick: values in 64 bits where the puzzle allows, rows
// compiled once (a row of '*' cells only checks its length), the products
// of a divisor worked out once, letters snapshotted only where some are free.
#pragma once

#include <cstdint>
#include <memory>

#include "model/numbers.h"
#include "solver/search.h"

namespace varnokit::fast {

class RightEndTable;

class OrderedSearch {
public:
    virtual ~OrderedSearch() = default;

    // From now on the divisor's last digits are only those endings that the
    // right-end table holds, and the quotient digits those allowed with them.
    virtual void useEndings(const RightEndTable& table) = 0;

    // Every divisor that begins with `prefix` (its first `length` digits),
    // ascending, with all of its solutions; each is stored as it is found.
    virtual void searchBlock(const int8_t* prefix, int length) = 0;

    // Stores divisor D and quotient Q when the reference search accepts
    // them, walking its single path through the same steps.
    virtual void searchOne(Int128 divisor, Int128 quotient) = 0;

    // Stores every solution with divisor D, in the reference order: D's
    // whole quotient phase (the table's endings have nothing to add).
    virtual void searchDivisor(Int128 divisor) = 0;

    // A probe for estimating a block's cost: one divisor beginning with
    // `prefix`, its other digits drawn at random (from `seed`) among those
    // the rules allow, and its whole quotient phase, storing nothing.
    struct Probe {
        bool drawn = false;     // false when no divisor could be drawn
        uint64_t nodes = 0;     // steps of the quotient phase
        uint64_t solutions = 0;
        bool capped = false;    // stopped at the cap
    };
    virtual Probe probe(const int8_t* prefix, int length, uint64_t seed, uint64_t nodeCap) = 0;

    virtual uint64_t steps() const = 0;  // steps taken so far, probes included
};

// The search for the context's puzzle, in 64-bit arithmetic where every
// value fits.
std::unique_ptr<OrderedSearch> makeOrderedSearch(SearchContext& context);

}  // namespace varnokit::fast
