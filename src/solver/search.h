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
// Raised by acceptSolution when a solution cannot be stored: the list is
// full, or memory for it could not be had. Caught by solve(), which keeps
// the solutions stored so far.
struct SolutionLimitReached {
    bool outOfMemory = false;
};
// Raised by acceptSolution once the number of solutions asked for is found.
struct EnoughSolutions {};

struct SearchStats {
    uint64_t nodes = 0;           // the search's work: its steps (the fast engine's tests and table nodes too)
    int progressChecks = 0;       // times the progress level was reached
    int64_t solutions = 0;        // solutions accepted by acceptSolution
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
    // Stop once this many solutions are found; 0: never.
    int64_t stopAfter = 0;
    // The count the front end shows, and when it was last told.
    int64_t countShown = 0;
    std::chrono::steady_clock::time_point countShownAt{};
};

struct CellRules;
// The cell rules of this search (see cell_rules.h).
CellRules cellRules(const SearchContext& context);

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
// pattern (and r < D); appends the solution and, now and then, shows the
// new count. r is the remainder row's value: with an open remainder
// (remainderIsOpen) the search writes its choice there, and it must match
// the row's cells too. Letter bindings are restored before it returns.
// Returns true when stored. Raises SolutionLimitReached for a fitting
// solution the list cannot take, and EnoughSolutions after the stopAfter-th.
bool acceptSolution(SearchContext& context, Int128 divisor, Int128 quotient);
// The storing half of acceptSolution, for a solution already checked:
// appends it and now and then shows the count; raises as acceptSolution does.
void storeSolution(SearchContext& context, Int128 divisor, Int128 quotient);

// Shows the solution count when it changed and kCountRefreshInterval has
// passed since it was last shown (the first solution at once): redrawing
// the count box for each of 192,899 solutions made a Solve in the window
// take seventy times as long as the search.
constexpr std::chrono::milliseconds kCountRefreshInterval{250};
void refreshSolutionCount(SearchContext& context);

void searchReference(SearchContext& context);
// The quotient phase of the reference search for one divisor when the final
// remainder is open: quotient digits from the right as usual, the remainder
// kept as the interval of values every row so far allows, and for each full
// quotient the remainders that fit, ascending.
void searchOpenRemainder(SearchContext& context, Int128 divisor);
void searchFast(SearchContext& context);

}  // namespace varnokit
