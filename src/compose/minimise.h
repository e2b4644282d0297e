// "一意のまま隠す": hides the shown digits of a puzzle with one solution, one
// at a time in a chosen order, as long as the solution stays the only one,
// until no shown digit can be hidden. Every shown digit left then has a
// second solution that appears when it alone is hidden: the witness kept
// for it.
#pragma once

#include <cstdint>
#include <vector>

#include "compose/compose_control.h"
#include "compose/draft.h"
#include "compose/mask_styles.h"
#include "compose/solution_probe.h"

namespace varnokit::compose {

enum class HideOrder {
    Random,         // every cell in an order the dice choose
    DivisorFirst,   // the divisor's cells first, then the others, each group at random
    QuotientFirst,
    DividendFirst,
    TopDown,        // quotient, divisor, dividend, then the lines, each left to right
    BottomUp,       // the reverse
};

enum class HideStyle {
    Star,  // a hidden digit becomes '*'
    Mask,  // a hidden digit becomes its masking character (the same one for each digit)
};

struct MinimiseOptions {
    HideOrder order = HideOrder::Random;
    uint64_t seed = 1;
    HideStyle style = HideStyle::Star;
    MaskStyle maskStyle = MaskStyle::Katakana;  // with HideStyle::Mask, for digits without a mask
    std::vector<bool> keep;  // per cell: must stay shown (empty: none)
    bool hideRemainder = false;  // the remainder's digits may be hidden too
};

enum class MinimiseStatus {
    Done,
    Stopped,     // Abort, Ctrl-C or a time limit
    NoSolution,  // the puzzle to start from has no solution
    NotUnique,   // … has several
    Rejected,    // … is refused by the checks
};

struct MinimiseResult {
    MinimiseStatus status = MinimiseStatus::Stopped;
    Draft draft;                       // the minimal puzzle (Done)
    std::vector<Division> witnesses;   // second solutions met on the way
    // Per cell: for a shown digit that could not be hidden, the index of its
    // witness in `witnesses`; -1 for every other cell (hidden, masked, kept,
    // or the condition digit, which a '*' cannot stand for).
    std::vector<int> witnessOf;
    int probes = 0;            // Solves run
    int answeredByWitness = 0; // hides refused by a witness already known, without a Solve
    uint64_t searchSteps = 0;  // the search's work on the final puzzle: its difficulty
};

// `start` must have exactly one solution, its own division; its cells may
// already be hidden or masked, and it may carry a condition.
MinimiseResult minimise(const Draft& start, const MinimiseOptions& options, SolutionProbe& probe,
                        ComposeControl& control);

// Checks that `result.draft` is minimal by its witnesses alone: each one is
// a division other than the puzzle's own that fits the puzzle once its cell
// is hidden (or masked). False when any shown digit lacks a valid witness.
bool witnessesProveMinimal(const MinimiseResult& result, const MinimiseOptions& options);

}  // namespace varnokit::compose
