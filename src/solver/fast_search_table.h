// The right-end table: every assignment of the right-end plan's choices (the
// divisor's trailing digits and some quotient digits) whose completed cells
// agree with the pattern, found once and then shared by every block of the
// search. Each cell is checked exactly when the plan completes it, from the
// rows' low digits alone, so a node costs a few multiplications.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/fast_search_check.h"
#include "solver/fast_search_plan.h"

namespace varnokit::fast {

struct TableLimits {
    uint64_t nodes;      // give up after this many nodes
    std::size_t entries; // or this many entries
};

// Contract: on success `out` holds every assignment of the plan's choices
// that some solution extends (and possibly more), as Partials with
// high = 0; returns false, with `out` empty, when a limit was reached.
// `poll` is called every few thousand nodes and may throw to stop.
class TablePoll {
public:
    virtual ~TablePoll() = default;
    virtual void poll() = 0;
};
bool buildRightEndTable(const Puzzle& puzzle, const std::vector<PlanStep>& plan, TableLimits limits,
                        std::vector<Partial>& out, uint64_t& nodes, TablePoll& poll);

}  // namespace varnokit::fast
