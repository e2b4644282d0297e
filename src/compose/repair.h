// "最少の開示": for a puzzle with several solutions and one of them chosen,
// the fewest hidden cells (a '*', or a masking character with all its
// cells) whose digits, revealed, leave the chosen solution alone. Every
// other solution must differ from the chosen one in a revealed cell: a
// smallest hitting set. Only the solutions met so far are hit at first;
// the puzzle with the answer revealed is solved again, and any solution
// still left joins the sets, until none is left. The answer is then the
// smallest for all solutions, since it is the smallest for some of them.
#pragma once

#include <cstdint>
#include <vector>

#include "compose/compose_control.h"
#include "compose/draft.h"
#include "compose/solution_probe.h"

namespace varnokit::compose {

struct RepairOptions {
    double seconds = 10;               // for the hitting sets; past it the best found is taken
    int64_t enumerateLimit = 100000;   // solutions read at the start
    int64_t roundLimit = 64;           // solutions read from each check of an answer
};

enum class RepairStatus {
    Done,
    AlreadyUnique,  // one solution: nothing to reveal
    NoSolution,
    Rejected,       // the checks refuse the puzzle
    NoSuchSolution, // the chosen solution is not one of the puzzle's
    Stopped,
};

// One revealed cell, or one masking character revealed in every cell it masks.
struct Reveal {
    int cell = -1;       // the draft's cell, or -1 for a mask
    int maskDigit = -1;  // the digit whose mask is revealed, or -1 for a cell
    int digit = 0;       // the digit shown
};

struct RepairResult {
    RepairStatus status = RepairStatus::Stopped;
    bool exact = false;            // the reveal is proven the smallest
    Draft draft;                   // the puzzle with the reveal made (Done)
    std::vector<Reveal> reveals;
    Division chosen;
    int64_t solutionsAtStart = 0;  // solutions read at the start (all of them when countComplete)
    bool countComplete = false;
    int64_t otherSolutionsUsed = 0;  // other solutions the hitting sets were made from
    int rounds = 0;                // answers checked by solving (none when every solution was read)
};

// Repairs `puzzle` for its solution number `index` (0-based, in the order found).
RepairResult repair(const PuzzleInput& puzzle, int64_t index, const RepairOptions& options, SolutionProbe& probe,
                    ComposeControl& control);
// The same for the solution `chosen`.
RepairResult repair(const PuzzleInput& puzzle, const Division& chosen, const RepairOptions& options,
                    SolutionProbe& probe, ComposeControl& control);

}  // namespace varnokit::compose
