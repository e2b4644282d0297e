// The pruning test of the fast search: divisor bounds from its known digits,
// then every row whose quotient digits are known, checked at both ends.
#include "solver/fast_search_check.h"

#include <algorithm>
#include <cassert>

namespace varnokit::fast {

Partial emptyPartial() {
    Partial partial;
    for (int8_t& d : partial.divisor) d = -1;
    for (int8_t& d : partial.quotient) d = -1;
    for (int8_t& d : partial.remainder) d = -1;
    for (int8_t& d : partial.letter) d = -1;
    return partial;
}

namespace {

// Whether `cell` may hold digit d; binds an unbound letter to it.
bool accepts(const Puzzle& puzzle, int8_t cell, int d, LetterScratch& letters) {
    if (cell <= 9) return cell == d;
    if (cell == kStar) return d != puzzle.condition;
    const int i = cell - kFirstLetter;
    if (letters.letter[i] >= 0) return letters.letter[i] == d;
    if (letters.taken & (1u << d)) return false;
    if (!(letters.domain[i] & (1u << d))) return false;
    letters.letter[i] = static_cast<int8_t>(d);
    letters.taken = static_cast<uint16_t>(letters.taken | (1u << d));
    return true;
}

// The digits a cell may still hold, as far as this one row can tell.
DigitMask cellDigits(const Puzzle& puzzle, int8_t cell, const LetterScratch& letters) {
    if (cell <= 9) return static_cast<DigitMask>(1u << cell);
    if (cell == kStar) {
        return puzzle.condition < 0 ? kAllDigits : static_cast<DigitMask>(kAllDigits & ~(1u << puzzle.condition));
    }
    const int bound = letters.letter[cell - kFirstLetter];
    if (bound >= 0) return static_cast<DigitMask>(1u << bound);
    return static_cast<DigitMask>(letters.domain[cell - kFirstLetter] & ~letters.taken);
}

// Whether some digit string between lo and hi (inclusive, compared from
// position `from` on; the digits before it are equal) takes its digit j from
// allowed[j]. Finds the smallest such string not below lo and compares it with hi.
bool someValueBetween(const int8_t* lo, const int8_t* hi, const DigitMask* allowed, int from, int length) {
    int8_t value[40];
    int j = from;
    while (j < length && (allowed[j] & (1u << lo[j]))) {
        value[j] = lo[j];
        ++j;
    }
    if (j < length) {
        // Raise the digit at the last position where that is possible, then take the smallest digits.
        int i = j;
        for (; i >= from; --i) {
            const DigitMask above = static_cast<DigitMask>(allowed[i] & ~((2u << lo[i]) - 1));
            if (above != 0) {
                value[i] = static_cast<int8_t>(__builtin_ctz(above));
                break;
            }
        }
        if (i < from) return false;
        for (int k = i + 1; k < length; ++k) value[k] = static_cast<int8_t>(__builtin_ctz(allowed[k]));
    }
    for (int k = from; k < length; ++k) {
        if (value[k] != hi[k]) return value[k] < hi[k];
    }
    return true;
}

}  // namespace

namespace {

template <typename Number>
bool rowFitsIn(const Puzzle& puzzle, const RowPattern& row, Number lo, Number hi, int known, Number lowDigits,
               LetterScratch& letters) {
    const int length = row.length;
    const Number smallest = tenTo<Number>(length - 1);
    const Number largest = tenTo<Number>(length) - 1;
    if (lo < smallest) lo = smallest;
    if (hi > largest) hi = largest;
    if (lo > hi) return false;
    if (row.onlyStars) return true;
    // An interval at least 10^(length - first) wide holds every combination
    // of the digits from the first constrained cell on, the leading cells
    // being free: nothing to refute, unless low digits are fixed.
    if (known == 0 && row.firstConstrained > 0 && hi - lo >= tenTo<Number>(length - row.firstConstrained) - 1) return true;
    if (known >= length) {
        // The low digits are the whole value.
        if (lowDigits < lo || lowDigits > hi) return false;
        lo = hi = lowDigits;
        known = 0;
    }

    int8_t loDigits[40], hiDigits[40];
    decimalDigits(lo, length, loDigits);
    if (lo == hi && (known == 0 || lo % tenTo<Number>(known) == lowDigits)) {
        // One value: every cell against its digit.
        for (int j = 0; j < length; ++j) {
            if (!accepts(puzzle, row.cell[j], loDigits[j], letters)) return false;
        }
        return true;
    }
    decimalDigits(hi, length, hiDigits);

    // Leading digits shared by every value of the interval.
    int common = 0;
    while (common < length && loDigits[common] == hiDigits[common]) {
        if (!accepts(puzzle, row.cell[common], loDigits[common], letters)) return false;
        ++common;
    }

    // Trailing digits fixed by the divisor's known low digits.
    int8_t lowText[40];
    if (known > 0) decimalDigits(lowDigits, known, lowText);
    for (int i = 0; i < known; ++i) {
        const int position = length - known + i;
        if (position < common) {
            if (loDigits[position] != lowText[i]) return false;
        } else if (!accepts(puzzle, row.cell[position], lowText[i], letters)) {
            return false;
        }
    }
    if (common == length) return true;
    // Only free cells from the first differing digit on: any value fits.
    if (known == 0 && row.lastConstrained < common) return true;

    // Every value's digit at the first differing position lies between the
    // bounds' digits there; a letter standing there cannot be anything else.
    const int8_t first = row.cell[common];
    if (first >= kFirstLetter && letters.letter[first - kFirstLetter] < 0) {
        const auto between = static_cast<DigitMask>(((2u << hiDigits[common]) - 1) & ~((1u << loDigits[common]) - 1));
        DigitMask& domain = letters.domain[first - kFirstLetter];
        if ((domain & between) != domain) {
            domain = static_cast<DigitMask>(domain & between);
            ++letters.narrowings;
            if ((domain & ~letters.taken) == 0) return false;
        }
    }

    // The digits in between: is there a value in the interval that the cells allow?
    DigitMask allowed[40];
    for (int j = common; j < length; ++j) {
        allowed[j] = cellDigits(puzzle, row.cell[j], letters);
        if (j >= length - known) allowed[j] = static_cast<DigitMask>(allowed[j] & (1u << lowText[j - (length - known)]));
        if (allowed[j] == 0) return false;
    }
    return someValueBetween(loDigits, hiDigits, allowed, common, length);
}

}  // namespace

bool rowFits(const Puzzle& puzzle, const RowPattern& row, Int128 lo, Int128 hi, int known,
             Int128 lowDigits, LetterScratch& letters) {
    return rowFitsIn<Int128>(puzzle, row, lo, hi, known, lowDigits, letters);
}

namespace {

// What the known divisor digits say: its bounds, its known low part;
// and the final remainder's bounds (equal unless it has hidden cells).
template <typename Number>
struct DivisorBounds {
    Number min, max;  // smallest and largest divisor with those digits
    Number low;       // the last `known` digits as a number
    int known;
    Number modulus;   // 10^known
    Number remainderMin, remainderMax;
    int remainderLowDigits;  // r mod 10^remainderLowDigits is known: it is remainderLow
    Number remainderLow;
};

// The part of the test that does not look at the rows, worked out once.
struct PreparedTest {
    LetterScratch letters;
    DivisorBounds<uint64_t> narrow{};  // when the puzzle's values fit in 64 bits
    DivisorBounds<Int128> wide{};
};

// The rows, checked against the divisor bounds and the quotient digits.
template <typename Number>
bool rowsFit(const Puzzle& puzzle, const Partial& partial, int changedQuotient, const DivisorBounds<Number>& d,
             LetterScratch& letters) {
    // With a remainder of hidden cells every row that depends on it is
    // bounded over its interval, and its low digits are known only as far
    // as the remainder's own last digits are.
    const Number remainderMin = d.remainderMin;
    const Number remainderMax = d.remainderMax;
    const int lowKnown = d.known < d.remainderLowDigits ? d.known : d.remainderLowDigits;
    const Number lowModulus = tenTo<Number>(lowKnown);
    const int q = puzzle.q;
    // The rows, from the last quotient digit up. The quotient digits k … q-1
    // form `tail`; unknown ones count with their smallest and largest allowed
    // digit, so every row has bounds, and exact low digits once the tail is known.
    Number tailMin = 0, tailMax = 0;
    bool tailKnown = true;
    for (int k = q - 1; k >= 0; --k) {
        const int m = q - 1 - k;
        const int digit = partial.quotient[k];
        const DigitMask allowed = puzzle.quotientAllowed[k];
        if (allowed == 0) return false;
        const int digitMin = digit >= 0 ? digit : __builtin_ctz(allowed);
        const int digitMax = digit >= 0 ? digit : 31 - __builtin_clz(allowed);
        if (digit < 0) tailKnown = false;
        tailMin += static_cast<Number>(digitMin) * tenTo<Number>(m);
        tailMax += static_cast<Number>(digitMax) * tenTo<Number>(m);
        if (digitMax == 0) continue;  // a zero digit has no lines

        if (changedQuotient >= 0 && k > changedQuotient) continue;  // rows that digit does not enter
        // P_k: unchanged (and passed before) unless its own digit changed.
        const RowPattern& product = puzzle.product[k];
        if (changedQuotient < 0 || k == changedQuotient) {
            const bool fits = digit >= 0
                ? rowFitsIn<Number>(puzzle, product, d.min * static_cast<Number>(digit), d.max * static_cast<Number>(digit),
                                    d.known, (d.low * static_cast<Number>(digit)) % d.modulus, letters)
                : rowFitsIn<Number>(puzzle, product, d.min * static_cast<Number>(digitMin),
                                    d.max * static_cast<Number>(digitMax), 0, 0, letters);
            if (!fits) return false;
        }

        const RowPattern& difference = puzzle.difference[k];
        if (k == 0 || difference.length == 0) continue;
        // R_k = floor((D × tail + r) / 10^m), and it exceeds P_k by less than the divisor.
        const Number scale = tenTo<Number>(m);
        Number lo = (d.min * tailMin + remainderMin) / scale;
        Number hi = (d.max * tailMax + remainderMax) / scale;
        const Number productMin = d.min * static_cast<Number>(digitMin);
        const Number productMax = d.max * static_cast<Number>(digitMax);
        if (lo < productMin) lo = productMin;
        if (hi > productMax + d.max - 1) hi = productMax + d.max - 1;
        int known = 0;
        Number lowValue = 0;
        if (tailKnown && lowKnown > m) {
            known = lowKnown - m;
            lowValue = ((d.low * tailMin + d.remainderLow) % lowModulus) / scale;
        }
        if (!rowFitsIn<Number>(puzzle, difference, lo, hi, known, lowValue, letters)) return false;
    }

    // The dividend's last digits need only the quotient's last digits.
    int trailing = 0;
    while (trailing < q && partial.quotient[q - 1 - trailing] >= 0) ++trailing;
    const int known = lowKnown < trailing ? lowKnown : trailing;
    const Number lo = d.min * tailMin + remainderMin;
    const Number hi = d.max * tailMax + remainderMax;
    const Number lowValue = known > 0 ? (d.low * tailMin + d.remainderLow) % tenTo<Number>(known) : 0;
    if (!rowFitsIn<Number>(puzzle, puzzle.dividend, lo, hi, known, lowValue, letters)) return false;
    if (!puzzle.openRemainder) return true;
    const RowPattern& row = puzzle.remainderRow;
    if (row.length == 1) {
        // A remainder of one cell may be 0, which no other row can be.
        const auto between = static_cast<DigitMask>(((2u << remainderMax) - 1) & ~((1u << remainderMin) - 1));
        return (cellDigits(puzzle, row.cell[0], letters) & between) != 0;
    }
    return rowFitsIn<Number>(puzzle, row, remainderMin, remainderMax, 0, 0, letters);
}

template <typename Number>
bool allPasses(const Puzzle& puzzle, const Partial& partial, int changedQuotient, const DivisorBounds<Number>& bounds,
               LetterScratch& letters) {
    for (;;) {
        const uint16_t takenBefore = letters.taken;
        const int narrowingsBefore = letters.narrowings;
        if (!rowsFit(puzzle, partial, changedQuotient, bounds, letters)) return false;
        if (letters.taken == takenBefore && letters.narrowings == narrowingsBefore) return true;
    }
}

// The divisor's bounds and cells, the remainder's bounds and the quotient's
// cells but one: what the children of one assignment that differ only in
// that quotient digit share.
bool prepareTest(const Puzzle& puzzle, const Partial& partial, int skippedQuotient, PreparedTest& out) {
    const int s = puzzle.s;
    const int q = puzzle.q;
    LetterScratch& letters = out.letters;
    letters.taken = 0;
    for (int i = 0; i < kMaskLetters; ++i) {
        letters.letter[i] = static_cast<int8_t>(puzzle.start.letter[i]);
        if (puzzle.start.letter[i] >= 0) letters.taken = static_cast<uint16_t>(letters.taken | (1u << puzzle.start.letter[i]));
    }
    for (int i = 0; i < kMaskLetters; ++i) {
        const int d = partial.letter[i];
        if (d < 0) continue;
        if (letters.letter[i] >= 0) {
            if (letters.letter[i] != d) return false;
            continue;
        }
        if (letters.taken & (1u << d)) return false;
        letters.letter[i] = static_cast<int8_t>(d);
        letters.taken = static_cast<uint16_t>(letters.taken | (1u << d));
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
    // Every remainder is below the divisor.
    Int128 rMin = puzzle.openRemainder ? puzzle.remainderMin : puzzle.remainder;
    Int128 rMax = puzzle.openRemainder ? std::min(puzzle.remainderMax, dMax - 1) : puzzle.remainder;
    // A known remainder's digits are all known (38 covers every number).
    int rLowDigits = puzzle.openRemainder ? puzzle.remainderLowDigits : 38;
    Int128 rLow = puzzle.openRemainder ? puzzle.remainderLow : puzzle.remainder;
    if (partial.remainderHigh > 0) {
        // An open remainder's known leading digits narrow it; all of them make it known.
        const int length = puzzle.remainderRow.length;
        Int128 prefix = 0;
        for (int j = 0; j < partial.remainderHigh; ++j) prefix = prefix * 10 + partial.remainder[j];
        const Int128 unit = pow10(length - partial.remainderHigh);
        rMin = std::max(rMin, prefix * unit);
        rMax = std::min(rMax, prefix * unit + unit - 1);
        if (partial.remainderHigh == length) {
            rLowDigits = 38;
            rLow = prefix;
        }
    }
    if (dMax <= rMin || rMin > rMax) return false;
    const int t = partial.low;
    for (int p = s - t; p < s; ++p) dLow = dLow * 10 + partial.divisor[p];
    const Int128 lowModulus = pow10(t);

    // The quotient's own cells.
    for (int k = 0; k < q; ++k) {
        const int d = partial.quotient[k];
        if (k != skippedQuotient && d >= 0 && !accepts(puzzle, puzzle.quotientCell[k], d, letters)) return false;
    }
    if (puzzle.narrow) {
        out.narrow = DivisorBounds<uint64_t>{static_cast<uint64_t>(dMin), static_cast<uint64_t>(dMax),
                                             static_cast<uint64_t>(dLow), t, static_cast<uint64_t>(lowModulus),
                                             static_cast<uint64_t>(rMin), static_cast<uint64_t>(rMax), rLowDigits,
                                             static_cast<uint64_t>(rLow)};
    } else {
        out.wide = DivisorBounds<Int128>{dMin, dMax, dLow, t, lowModulus, rMin, rMax, rLowDigits, rLow};
    }
    return true;
}

// The rows. Letters that later rows bind or narrow narrow the earlier rows
// too: pass again while a pass changes what the letters may be. Where every
// value fits in 64 bits, the rows are worked out in 64 bits.
bool rowsConsistent(const Puzzle& puzzle, const Partial& partial, int changedQuotient, const PreparedTest& prepared,
                    LetterScratch& letters) {
    return puzzle.narrow ? allPasses(puzzle, partial, changedQuotient, prepared.narrow, letters)
                         : allPasses(puzzle, partial, changedQuotient, prepared.wide, letters);
}

}  // namespace

bool consistent(const Puzzle& puzzle, const Partial& partial, int changedQuotient) {
    PreparedTest prepared;
    if (!prepareTest(puzzle, partial, -1, prepared)) return false;
    return rowsConsistent(puzzle, partial, changedQuotient, prepared, prepared.letters);
}

DigitMask quotientSurvivors(const Puzzle& puzzle, const Partial& partial, int k, DigitMask mask, uint64_t& tests) {
    PreparedTest prepared;
    tests += static_cast<uint64_t>(__builtin_popcount(mask));
    if (!prepareTest(puzzle, partial, k, prepared)) return 0;
    Partial child = partial;
    DigitMask alive = 0;
    for (int d = 0; d < 10; ++d) {
        if (!(mask & (1u << d))) continue;
        child.quotient[k] = static_cast<int8_t>(d);
        LetterScratch letters = prepared.letters;
        if (accepts(puzzle, puzzle.quotientCell[k], d, letters) &&
            rowsConsistent(puzzle, child, k, prepared, letters)) {
            alive = static_cast<DigitMask>(alive | (1u << d));
        }
    }
    return alive;
}

}  // namespace varnokit::fast
