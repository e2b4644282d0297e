// Random long divisions with cells hidden, for the tests of the fast search:
// '*' cells, mask letters, a condition, zero quotient digits and remainders.
// A generated puzzle is always solvable by its own division unless the
// condition was drawn to contradict it.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/numbers.h"
#include "model/puzzle_input.h"
#include "model/puzzle_state.h"

namespace varnokit::testing {

struct HidingOptions {
    int maxDivisorDigits = 3;
    int maxQuotientDigits = 3;
    double hidden = 0.8;       // share of cells hidden as '*' or a letter
    double lettered = 0.2;     // share of hidden cells shown as their digit's letter
    double zeroDigit = 0.15;   // chance of each quotient digit (not the first) being 0
    double condition = 0.3;    // chance of a condition digit
    bool conditionMayContradict = false;  // draw any digit, not only one the division allows
    double hiddenRemainder = 0;  // chance of the remainder's cells being hidden like the others'
};

// One division with its pattern texts ('*', digits, 'A'-'J').
struct HiddenDivision {
    Int128 divisor = 0, quotient = 0, remainder = 0;
    std::string divisorText, quotientText, dividendText, remainderText;
    std::vector<std::string> interior;  // P_0, R_1, P_1, … in solver order; empty for zero digits
    int condition = -1;
};

HiddenDivision generateDivision(std::mt19937_64& rng, const HidingOptions& options);

// The box texts a user would type for it (letters stay ASCII, which the
// normaliser turns into masks).
PuzzleInput toInput(const HiddenDivision& division);

// A state as the search would start from it, without the parser: rows in
// solver order, the initial digit ranges, no letters bound.
void toState(const HiddenDivision& division, PuzzleState& state);

std::string describe(const HiddenDivision& division);  // for failure messages

}  // namespace varnokit::testing
