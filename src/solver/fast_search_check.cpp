// The pruning test of the fast search: divisor bounds from its known digits,
// then every row whose quotient digits are known, checked at both ends.
#include "solver/fast_search_check.h"

#include <cassert>

namespace varnokit::fast {

Partial emptyPartial() {
    Partial partial;
    for (int8_t& d : partial.divisor) d = -1;
    for (int8_t& d : partial.quotient) d = -1;
    return partial;
}

void decimalDigits(Int128 value, int length, int8_t* out) {
    assert(value >= 0 && length >= 0 && length <= 38);
    // Split once so the digit loops run on 64-bit halves.
    constexpr uint64_t kHalf = 1000000000000000000ULL;  // 10^18
    uint64_t lowHalf, highHalf;
    if (value < static_cast<Int128>(kHalf)) {
        lowHalf = static_cast<uint64_t>(value);
        highHalf = 0;
    } else {
        highHalf = static_cast<uint64_t>(value / kHalf);
        lowHalf = static_cast<uint64_t>(value % kHalf);
    }
    for (int i = length - 1, place = 0; i >= 0; --i, ++place) {
        if (place < 18) {
            out[i] = static_cast<int8_t>(lowHalf % 10);
            lowHalf /= 10;
        } else {
            out[i] = static_cast<int8_t>(highHalf % 10);
            highHalf /= 10;
        }
    }
}

namespace {

// Whether `cell` may hold digit d; binds an unbound letter to it.
bool accepts(const Puzzle& puzzle, int8_t cell, int d, LetterScratch& letters) {
    if (cell <= 9) return cell == d;
    if (cell == kStar) return d != puzzle.condition;
    const int i = cell - kFirstLetter;
    if (letters.letter[i] >= 0) return letters.letter[i] == d;
    if (letters.taken & (1u << d)) return false;
    letters.letter[i] = static_cast<int8_t>(d);
    letters.taken = static_cast<uint16_t>(letters.taken | (1u << d));
    return true;
}

}  // namespace

bool rowFits(const Puzzle& puzzle, const RowPattern& row, Int128 lo, Int128 hi, int known,
             Int128 lowDigits, LetterScratch& letters) {
    const int length = row.length;
    const Int128 smallest = pow10(length - 1);
    const Int128 largest = pow10(length) - 1;
    if (lo < smallest) lo = smallest;
    if (hi > largest) hi = largest;
    if (lo > hi) return false;
    if (known >= length) {
        // The low digits are the whole value.
        if (lowDigits < lo || lowDigits > hi) return false;
        lo = hi = lowDigits;
        known = 0;
    }

    int8_t loDigits[40], hiDigits[40];
    decimalDigits(lo, length, loDigits);
    decimalDigits(hi, length, hiDigits);

    // Leading digits shared by every value of the interval.
    int common = 0;
    while (common < length && loDigits[common] == hiDigits[common]) {
        if (!accepts(puzzle, row.cell[common], loDigits[common], letters)) return false;
        ++common;
    }
    if (common < length) {
        // The first differing digit lies between the bounds' digits there.
        const int8_t cell = row.cell[common];
        const int8_t fixed = cell <= 9 ? cell : -1;
        if (fixed >= 0 && (fixed < loDigits[common] || fixed > hiDigits[common])) return false;
    }

    if (known > 0) {
        int8_t lowText[40];
        decimalDigits(lowDigits, known, lowText);
        for (int i = 0; i < known; ++i) {
            const int position = length - known + i;
            const int8_t d = lowText[i];
            if (position < common) {
                if (loDigits[position] != d) return false;
            } else if (!accepts(puzzle, row.cell[position], d, letters)) {
                return false;
            }
        }
    }
    return true;
}

bool consistent(const Puzzle& puzzle, const Partial& partial) {
    const int s = puzzle.s;
    const int q = puzzle.q;
    LetterScratch letters;
    letters.taken = 0;
    for (int i = 0; i < kMaskLetters; ++i) {
        letters.letter[i] = static_cast<int8_t>(puzzle.start.letter[i]);
        if (puzzle.start.letter[i] >= 0) letters.taken = static_cast<uint16_t>(letters.taken | (1u << puzzle.start.letter[i]));
    }

    // The divisor: its bounds, its known low part, and its own cells.
    Int128 dMin = 0, dMax = 0, dLow = 0;
    for (int p = 0; p < s; ++p) {
        const int d = partial.divisor[p];
        dMin = dMin * 10 + (d >= 0 ? d : 0);
        dMax = dMax * 10 + (d >= 0 ? d : 9);
        if (d >= 0 && !accepts(puzzle, puzzle.divisorCell[p], d, letters)) return false;
    }
    if (partial.high == 0 && dMin < pow10(s - 1)) dMin = pow10(s - 1);
    if (dMax <= puzzle.remainder) return false;
    const int t = partial.low;
    for (int p = s - t; p < s; ++p) dLow = dLow * 10 + partial.divisor[p];
    const Int128 lowModulus = pow10(t);

    // The quotient's own cells.
    for (int k = 0; k < q; ++k) {
        const int d = partial.quotient[k];
        if (d >= 0 && !accepts(puzzle, puzzle.quotientCell[k], d, letters)) return false;
    }

    // The rows, from the last quotient digit up: `tail` is the value of the
    // quotient digits k … q-1 while all of them are known.
    Int128 tail = 0;
    bool tailKnown = true;
    for (int k = q - 1; k >= 0; --k) {
        const int m = q - 1 - k;
        const int digit = partial.quotient[k];
        if (digit < 0) {
            tailKnown = false;
            continue;
        }
        tail += digit * pow10(m);
        if (digit == 0) continue;

        const RowPattern& product = puzzle.product[k];
        if (!rowFits(puzzle, product, dMin * digit, dMax * digit, t, (dLow * digit) % lowModulus, letters)) {
            return false;
        }

        const RowPattern& difference = puzzle.difference[k];
        if (k == 0 || difference.length == 0) continue;
        if (tailKnown) {
            // R_k = floor((D × tail + r) / 10^m): exact bounds, and low digits above column m.
            const Int128 scale = pow10(m);
            const Int128 lo = (dMin * tail + puzzle.remainder) / scale;
            const Int128 hi = (dMax * tail + puzzle.remainder) / scale;
            const int known = t > m ? t - m : 0;
            const Int128 lowValue = known > 0 ? ((dLow * tail + puzzle.remainder) % lowModulus) / scale : 0;
            if (!rowFits(puzzle, difference, lo, hi, known, lowValue, letters)) return false;
        } else {
            // The remainder below P_k is smaller than the divisor.
            if (!rowFits(puzzle, difference, dMin * digit, dMax * digit + dMax - 1, 0, 0, letters)) return false;
        }
    }

    if (tailKnown) {
        const Int128 lo = dMin * tail + puzzle.remainder;
        const Int128 hi = dMax * tail + puzzle.remainder;
        const Int128 lowValue = (dLow * tail + puzzle.remainder) % lowModulus;
        if (!rowFits(puzzle, puzzle.dividend, lo, hi, t, lowValue, letters)) return false;
    }
    return true;
}

}  // namespace varnokit::fast
