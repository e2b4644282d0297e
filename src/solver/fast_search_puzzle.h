// The puzzle as the fast search sees it: the divisor, quotient and row
// patterns as small cell codes, the digits each divisor and quotient cell may
// take, the row lengths and where each row ends under the dividend. Built once
// per search from the WorkRecord, the letter bindings and the condition.
#pragma once

#include <cstdint>

#include "model/numbers.h"
#include "model/puzzle_state.h"
#include "model/work_record.h"

namespace varnokit::fast {

// --- Cells ---
// 0 … 9 a known digit, kStar any digit but the condition, kFirstLetter + i mask letter 'A' + i.
constexpr int8_t kStar = 10;
constexpr int8_t kFirstLetter = 11;

using DigitMask = uint16_t;  // bit d set: digit d is allowed
constexpr DigitMask kAllDigits = 0x3FF;

// --- Rows that the search checks ---
struct RowPattern {
    int length = 0;  // digits; 0 = the row is not written
    int8_t cell[kTextCapacity] = {};  // from the left
    bool onlyStars = false;  // every cell '*': only the length can refute it (without a condition)
    // The first and last cells that are not a free '*' (length and -1 when
    // none is); the defaults claim nothing is free.
    int firstConstrained = 0;
    int lastConstrained = kTextCapacity;
};

struct Puzzle {
    int s = 0, q = 0, n = 0;     // lengths of divisor, quotient, dividend
    Int128 remainder = 0;        // the final remainder r (when it is known)
    // A remainder with hidden cells: r is only known to lie in
    // [remainderMin, remainderMax] (and below the divisor), and its row is
    // checked like the others.
    bool openRemainder = false;
    Int128 remainderMin = 0, remainderMax = 0;
    int remainderLowDigits = 0;  // its last cells that hold one digit each
    Int128 remainderLow = 0;     // those digits as a number: r mod 10^remainderLowDigits
    int condition = -1;          // the digit no '*' may stand for, or -1
    bool narrow = false;         // every value the search meets fits in 64 bits

    int8_t divisorCell[kMaxDivisorDigits] = {};
    DigitMask divisorAllowed[kMaxDivisorDigits] = {};   // by cell, range and condition
    int8_t quotientCell[kMaxQuotientDigits] = {};
    DigitMask quotientAllowed[kMaxQuotientDigits] = {};  // 0 exactly where P_k is not written

    RowPattern product[kMaxQuotientDigits];     // P_k
    RowPattern difference[kMaxQuotientDigits];  // R_k (k >= 1)
    RowPattern dividend;
    RowPattern remainderRow;  // only when openRemainder
    // By cell, when openRemainder and it has 2 to s cells (no leading 0): the
    // pruning search may then take its leading digits.
    DigitMask remainderAllowed[kMaxDivisorDigits] = {};

    LetterBindings start{};  // bindings made before the search
    uint16_t freeLetters = 0;  // bit i: some cell holds letter i, bound to no digit before the search
};

// Cell code of one pattern character.
int8_t cellCode(char c);

// Builds the description. Every cell that the search treats as fixed (a digit,
// a letter bound before the search) is read from `state`; the '*' cells of the
// divisor and quotient keep their digit ranges.
void buildPuzzle(const PuzzleState& state, Puzzle& puzzle);

}  // namespace varnokit::fast
