// Test support: long divisions written out from a divisor, a quotient and
// a remainder, puzzles made from them by hiding digits, and an independent
// brute-force solver that enumerates divisor and quotient and compares the
// whole written division with the pattern, cell by cell.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/puzzle_input.h"
#include "model/puzzle_state.h"

namespace varnokit::testing {

// One line of the written division: its cells and the dividend column of
// its last cell.
struct WrittenLine {
    std::string cells;
    int endColumn = 0;
};

// A division as written on paper. The cells of a pattern made from it hold
// digits, '*' or mask letters 'A'-'J'.
struct WrittenDivision {
    std::string divisor;
    std::string quotient;
    std::string dividend;
    std::vector<WrittenLine> interior;  // solver order P_0, R_1, P_1, …; empty cells for a zero digit
    int64_t remainder = 0;
};

// Writes out the division giving quotient Q and remainder r (r < D, Q's
// first digit nonzero), exactly for up to 14-digit divisors and quotients.
WrittenDivision writeDivision(Int128 divisor, Int128 quotient, int64_t remainder);

// A random puzzle: a division with s divisor and q quotient digits whose
// digits are hidden as '*' or as letters, and an optional condition.
struct HiddenPuzzle {
    WrittenDivision pattern;
    int condition = -1;
    // The remainder's cells when they are hidden too; empty: the remainder
    // is typed as the number pattern.remainder.
    std::string remainderPattern;
};
HiddenPuzzle randomPuzzle(std::mt19937& random, int s, int q);

// A random puzzle of the wider class: the quotient may end in zeros (no
// lines for them) and the remainder may have hidden cells, each about half
// the time.
HiddenPuzzle randomWidePuzzle(std::mt19937& random, int s, int q);

// A pattern typed by hand, the interior rows in solver order ("" for the
// empty pair of a zero digit); each row ends under its quotient digit.
HiddenPuzzle handPattern(const std::string& divisor, const std::string& quotient,
                         const std::string& dividend, const std::vector<std::string>& interior,
                         int64_t remainder, int condition = -1);

// Fills state.work and state.problem from a pattern, as the parser and the
// layout deductions would leave them (the problem record's interior rows with
// leading blanks), with no letter bound.
void loadPattern(PuzzleState& state, const HiddenPuzzle& puzzle);

// The texts a user would type for the pattern: letters become ASCII
// lowercase masks, the body lines carry their leading blanks.
PuzzleInput typedInput(const HiddenPuzzle& puzzle);

struct BruteSolution {
    int64_t divisor;
    int64_t quotient;
    bool operator==(const BruteSolution&) const = default;
};
// Every (divisor, quotient) whose written division fits the pattern, in the
// search's order: divisor ascending, then the quotient read from its last digit.
std::vector<BruteSolution> bruteForce(const HiddenPuzzle& puzzle);

struct WideSolution {
    int64_t divisor;
    int64_t quotient;
    int64_t remainder;
    bool operator==(const WideSolution&) const = default;
};
// Every (divisor, quotient, remainder) whose written division fits the
// pattern, the remainder taken from its cells when they are hidden, in the
// search's order: divisor, the quotient read from its last digit, remainder.
std::vector<WideSolution> bruteForceWide(const HiddenPuzzle& puzzle);

}  // namespace varnokit::testing
