// Replays the reference search's single path for one divisor and quotient:
// the same cell rules, digit ranges, candidate bounds, row matches and letter
// bindings in the same order. The fast search finds candidates by its own
// route and lets only those pass that the reference search would accept.
#pragma once

#include "model/numbers.h"
#include "solver/search.h"

namespace varnokit::fast {

// Contract: returns true when the reference search, started from the current
// state, would reach acceptSolution with `divisor` and `quotient`; the letter
// bindings are then exactly those it would hold at that call. On false the
// bindings are left partly changed: callers snapshot and restore them.
bool replayReferencePath(SearchContext& context, Int128 divisor, Int128 quotient);

}  // namespace varnokit::fast
