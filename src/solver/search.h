// The search for every digit assignment that makes the division correct.
// Two engines share this interface and produce the same solutions in the
// same order: the reference engine, which chooses the divisor digits first
// and then the quotient digits from the right, and the fast engine.
#pragma once

#include <chrono>
#include <cstdint>

#include "model/puzzle_state.h"
#include "solver/solve_hooks.h"

namespace varnokit {

// Raised by the progress check when the abort flag is set; caught by solve().
struct SearchAborted {};
// Raised by acceptSolution when a solution is found while the list is full;
// caught by solve(), which keeps the solutions stored so far.
struct SolutionLimitReached {};

struct SearchStats {
    uint64_t nodes = 0;           // candidate steps tried
    int progressChecks = 0;       // times the progress level was reached
    int solutions = 0;            // solutions stored by acceptSolution
};

// What one search reads and writes. The state holds the WorkRecord after the
// checks, the deductions and bound propagation, the letter bindings they
// made, and the condition.
struct SearchContext {
    PuzzleState& state;
    SolveHooks& hooks;
    int progressLevel = -1;       // see chooseProgressLevel
    // Letters that the layout deductions matched with a cell typed as '*':
    // such a letter may not stand for the condition digit either.
    bool letterAvoidsCondition[kMaskLetters] = {};
    SearchStats stats;
    // When the user's input last ran (progress check or poll).
    std::chrono::steady_clock::time_point lastInput = std::chrono::steady_clock::now();
};

// Matches a value against a row's pattern: 0 when it fits (binding unbound
// letters on the way), 1 otherwise. Bindings made before a mismatch stay;
// callers snapshot the letters first. A '*' never stands for the condition
// digit, nor does a letter listed in letterAvoidsCondition; other letters may.
int matchRow(SearchContext& context, Int128 value, const WorkRow& row);

// The recursion level at which the search reaches the progress check about
// a hundred times: -1 none, 0 … s-1 a divisor position, 100 + k quotient index k.
int chooseProgressLevel(const PuzzleState& state);

// The progress check: step the bar, let input run, and raise SearchAborted
// when the abort flag is set.
void progressCheck(SearchContext& context);

// Between progress checks: lets input run and reads the abort flag when
// kInputPollInterval has passed since input last ran, so that Abort and a
// timeout act within a second however rarely the progress level is reached.
// Cheap enough to call every thousand nodes.
constexpr std::chrono::milliseconds kInputPollInterval{200};
void pollInput(SearchContext& context);

// Accepts divisor D and quotient Q when the dividend D*Q + r matches its
// pattern (and r < D); appends the solution and shows the new count.
// Letter bindings are restored before it returns. Returns true when stored.
// Raises SolutionLimitReached for a fitting solution the full list cannot take.
bool acceptSolution(SearchContext& context, Int128 divisor, Int128 quotient);

void searchReference(SearchContext& context);
void searchFast(SearchContext& context);

}  // namespace varnokit
