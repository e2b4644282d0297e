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

// Matches `value` against a row's pattern as the search does: same number of
// digits, '*' any digit but the condition, letters bound or bound now.
// Returns true on a match; bindings made before a mismatch stay.
bool matchPattern(const SearchContext& context, LetterBindings& letters, Int128 value,
                  const WorkRow& row);

}  // namespace varnokit::fast
