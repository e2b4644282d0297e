// Translation of the WorkRecord into the fast search's puzzle description.
#include "solver/fast_search_puzzle.h"

#include <cassert>

namespace varnokit::fast {

int8_t cellCode(char c) {
    if (c >= '0' && c <= '9') return static_cast<int8_t>(c - '0');
    if (c >= 'A' && c < 'A' + kMaskLetters) return static_cast<int8_t>(kFirstLetter + (c - 'A'));
    return kStar;
}

namespace {

DigitMask rangeMask(int lo, int hi) {
    DigitMask mask = 0;
    for (int d = lo < 0 ? 0 : lo; d <= hi && d <= 9; ++d) mask = static_cast<DigitMask>(mask | (1u << d));
    return mask;
}

DigitMask withoutCondition(DigitMask mask, int condition) {
    if (condition < 0) return mask;
    return static_cast<DigitMask>(mask & ~(1u << condition));
}

// The digits a cell may hold before anything else is known. A letter bound
// before the search holds its digit; an unbound one any digit (its
// consistency with other cells is checked as digits become known).
DigitMask cellMask(int8_t cell, const WorkRow& row, int position, const Puzzle& puzzle) {
    if (cell <= 9) return static_cast<DigitMask>(1u << cell);
    if (cell == kStar) {
        const DigitRange& range = row.ranges[position];
        return withoutCondition(rangeMask(range.lo, range.hi), puzzle.condition);
    }
    int bound = puzzle.start.letter[cell - kFirstLetter];
    if (bound >= 0) return static_cast<DigitMask>(1u << bound);
    return kAllDigits;
}

void readRow(const WorkRow& row, RowPattern& pattern) {
    pattern.length = row.length;
    pattern.onlyStars = true;
    pattern.firstConstrained = row.length;
    pattern.lastConstrained = -1;
    for (int j = row.length - 1; j >= 0; --j) {
        pattern.cell[j] = cellCode(row.text[j]);
        if (pattern.cell[j] != kStar) {
            pattern.onlyStars = false;
            pattern.firstConstrained = j;
            if (pattern.lastConstrained < 0) pattern.lastConstrained = j;
        }
    }
}

}  // namespace

void buildPuzzle(const PuzzleState& state, Puzzle& puzzle) {
    const WorkRecord& work = state.work;
    puzzle = Puzzle{};
    puzzle.s = work.rows[kDivisorRow].length;
    puzzle.q = work.rows[kQuotientRow].length;
    puzzle.n = work.rows[kDividendRow].length;
    assert(puzzle.s >= 1 && puzzle.s <= kMaxDivisorDigits);
    assert(puzzle.q >= 1 && puzzle.q <= kMaxQuotientDigits);
    puzzle.remainder = work.rows[kRemainderRow].value;
    puzzle.condition = state.conditionDigit;
    puzzle.start = state.letters;
    // The largest value met: divisor times quotient plus the remainder, below
    // 10^(s+q) + 10^s.
    puzzle.narrow = puzzle.s + puzzle.q <= 18;

    const WorkRow& divisor = work.rows[kDivisorRow];
    for (int p = 0; p < puzzle.s; ++p) {
        puzzle.divisorCell[p] = cellCode(divisor.text[p]);
        DigitMask mask = cellMask(puzzle.divisorCell[p], divisor, p, puzzle);
        if (p == 0) mask = static_cast<DigitMask>(mask & ~1u);  // a number never begins with 0
        puzzle.divisorAllowed[p] = mask;
    }

    const WorkRow& quotient = work.rows[kQuotientRow];
    for (int k = 0; k < puzzle.q; ++k) {
        readRow(work.rows[partialProductRow(k)], puzzle.product[k]);
        if (k > 0) readRow(work.rows[differenceRow(k)], puzzle.difference[k]);

        // A quotient digit is 0 exactly where its partial product is not written.
        puzzle.quotientCell[k] = cellCode(quotient.text[k]);
        const int8_t cell = puzzle.quotientCell[k];
        DigitMask mask = cellMask(cell, quotient, k, puzzle);
        if (cell == kStar && puzzle.product[k].length == 0) {
            // The zero step of a '*' does not consult the digit range.
            mask = withoutCondition(1u, puzzle.condition);
        }
        mask = puzzle.product[k].length == 0 ? static_cast<DigitMask>(mask & 1u)
                                             : static_cast<DigitMask>(mask & ~1u);
        puzzle.quotientAllowed[k] = mask;
    }
    readRow(work.rows[kDividendRow], puzzle.dividend);
    puzzle.openRemainder = remainderIsOpen(work);
    if (puzzle.openRemainder) {
        // The least and greatest values its cells and ranges allow, with no
        // leading 0 unless it has one cell.
        const WorkRow& row = work.rows[kRemainderRow];
        readRow(row, puzzle.remainderRow);
        Int128 lo = 0, hi = 0;
        bool empty = false;
        for (int j = 0; j < row.length; ++j) {
            const DigitMask mask = cellMask(puzzle.remainderRow.cell[j], row, j, puzzle);
            empty = empty || mask == 0;
            lo = lo * 10 + (mask == 0 ? 0 : __builtin_ctz(mask));
            hi = hi * 10 + (mask == 0 ? 0 : 31 - __builtin_clz(mask));
        }
        puzzle.remainderMin = row.length > 1 && lo < pow10(row.length - 1) ? pow10(row.length - 1) : lo;
        puzzle.remainderMax = empty ? -1 : hi;
        // Its last digits where they are given: they fix the rows' last digits as a known remainder does.
        for (int j = row.length - 1; j >= 0; --j) {
            const DigitMask mask = cellMask(puzzle.remainderRow.cell[j], row, j, puzzle);
            if (__builtin_popcount(mask) != 1) break;
            puzzle.remainderLow += __builtin_ctz(mask) * pow10(puzzle.remainderLowDigits);
            ++puzzle.remainderLowDigits;
        }
        puzzle.remainder = 0;
        if (row.length >= 2 && row.length <= puzzle.s) {
            for (int j = 0; j < row.length; ++j) {
                puzzle.remainderAllowed[j] = cellMask(puzzle.remainderRow.cell[j], row, j, puzzle);
            }
            puzzle.remainderAllowed[0] = static_cast<DigitMask>(puzzle.remainderAllowed[0] & ~1u);
        }
    }
    auto noteLetter = [&puzzle](int8_t cell) {
        if (cell >= kFirstLetter && puzzle.start.letter[cell - kFirstLetter] < 0) {
            puzzle.freeLetters = static_cast<uint16_t>(puzzle.freeLetters | (1u << (cell - kFirstLetter)));
        }
    };
    auto noteLetters = [&](const RowPattern& row) {
        for (int j = 0; j < row.length; ++j) noteLetter(row.cell[j]);
    };
    for (int p = 0; p < puzzle.s; ++p) noteLetter(puzzle.divisorCell[p]);
    for (int k = 0; k < puzzle.q; ++k) {
        noteLetter(puzzle.quotientCell[k]);
        noteLetters(puzzle.product[k]);
        noteLetters(puzzle.difference[k]);
    }
    noteLetters(puzzle.dividend);
    if (puzzle.openRemainder) noteLetters(puzzle.remainderRow);
    if (puzzle.condition >= 0) {
        // Every '*' must avoid the condition digit: no cell is free.
        auto noneFree = [](RowPattern& row) {
            row.onlyStars = false;
            row.firstConstrained = 0;
            row.lastConstrained = row.length - 1;
        };
        noneFree(puzzle.dividend);
        noneFree(puzzle.remainderRow);
        for (int k = 0; k < puzzle.q; ++k) {
            noneFree(puzzle.product[k]);
            noneFree(puzzle.difference[k]);
        }
    }
}

}  // namespace varnokit::fast
