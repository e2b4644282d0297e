// The pruning test of the fast search: can a partial assignment (the divisor's
// leading and trailing digits, some quotient digits) still grow into a
// solution? Rows are checked from both ends: the known leading digits of the
// divisor bound every row's value (interval reasoning), and the known
// trailing digits fix every row's low digits (modular reasoning).
#pragma once

#include <cstdint>

#include "model/numbers.h"
#include "solver/fast_search_puzzle.h"

namespace varnokit::fast {

// A partial assignment. The divisor's known digits are its first `high` and
// its last `low` positions (high + low <= s); with a remainder of hidden
// cells, its first `remainderHigh` digits may be known too.
struct Partial {
    int8_t divisor[kMaxDivisorDigits];    // digit, or -1 while unknown
    int8_t quotient[kMaxQuotientDigits];  // digit, or -1 while unknown
    int8_t remainder[kMaxDivisorDigits];  // digit, or -1 while unknown
    int8_t letter[kMaskLetters];          // a mask letter's digit taken as a choice, or -1
    int high = 0;
    int low = 0;
    int remainderHigh = 0;
};

// An empty assignment for `puzzle`.
Partial emptyPartial();

// Letter bindings seen while checking one assignment.
struct LetterScratch {
    int8_t letter[kMaskLetters];  // digit, or -1
    uint16_t taken;               // bit d: some letter holds d
    // Digits an unbound letter may still take, narrowed by the rows' bounds.
    DigitMask domain[kMaskLetters] = {kAllDigits, kAllDigits, kAllDigits, kAllDigits, kAllDigits,
                                      kAllDigits, kAllDigits, kAllDigits, kAllDigits, kAllDigits};
    int narrowings = 0;  // how often a domain shrank
};

// Contract: returns false only when no completion of `partial` is a solution
// (every row matching its pattern, letters consistent and distinct, '*' never
// the condition digit, r < divisor). True means only "not refuted yet"; with
// every digit known it means the assignment satisfies all of these.
//
// With `changedQuotient` = k, the caller knows that `partial` without
// quotient digit k passed, and only the rows that digit k enters are checked
// (P_k, the difference rows at and left of k, the dividend): a quicker,
// weaker test, since letters met in the other rows are not compared.
bool consistent(const Puzzle& puzzle, const Partial& partial, int changedQuotient = -1);

// The digits of `mask` that quotient digit k of `partial` (unknown there) may
// take: for each, what consistent(puzzle, partial with that digit, k) says,
// the work shared by the ten. Adds the digits tried to `tests`.
DigitMask quotientSurvivors(const Puzzle& puzzle, const Partial& partial, int k, DigitMask mask, uint64_t& tests);

// One row: is there a value in [lo, hi] whose lowest `known` digits are those
// of `lowDigits` and that the pattern accepts? A sound approximation that is
// exact when lo == hi. Binds letters in `letters` for digits it is sure of.
bool rowFits(const Puzzle& puzzle, const RowPattern& row, Int128 lo, Int128 hi, int known,
             Int128 lowDigits, LetterScratch& letters);

}  // namespace varnokit::fast
