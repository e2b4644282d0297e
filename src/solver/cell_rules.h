// The rules by which the search puts digits into cells, in one place: which
// digits a divisor cell and a quotient cell are tried with, and whether a
// row's cell takes a digit. The reference search, matchRow and the fast
// engine's ordered search all go by these, so they cannot drift apart.
#pragma once

#include <algorithm>

#include "model/numbers.h"
#include "model/puzzle_state.h"
#include "model/work_record.h"

namespace varnokit {

// What the rules depend on besides the cell: the condition digit, and the
// letters that the layout deductions matched with a cell typed as '*' (such
// a letter may not stand for the condition digit either; other letters may).
struct CellRules {
    int condition;
    const bool* avoidsCondition;  // kMaskLetters flags
};

inline bool isDigitCell(char c) { return c >= '0' && c <= '9'; }
inline bool isLetterCell(char c) { return c >= 'A' && c < 'A' + kMaskLetters; }

// An unbound letter may take digit d: d is free and not a condition it avoids.
inline bool freeLetterMayTake(const CellRules& rules, const LetterBindings& letters, int letter, int d) {
    return letters.taken[d] != 1 && !(rules.avoidsCondition[letter] && d == rules.condition);
}

inline void bindLetter(LetterBindings& letters, int letter, int d) {
    letters.letter[letter] = d;
    letters.taken[d] = 1;
}

inline void unbindLetter(LetterBindings& letters, int letter) {
    letters.taken[letters.letter[letter]] = -1;
    letters.letter[letter] = -1;
}

// A row's cell and the digit the value puts there: '*' takes any digit but
// the condition, a digit itself, a bound letter its digit, an unbound letter
// any digit it may take, which binds it.
inline bool cellTakes(const CellRules& rules, char cell, int digit, LetterBindings& letters) {
    if (cell == '*') return digit != rules.condition;
    if (isDigitCell(cell)) return digit == cell - '0';
    const int letter = cell - 'A';
    const int bound = letters.letter[letter];
    if (bound >= 0) return bound == digit;
    if (!freeLetterMayTake(rules, letters, letter, digit)) return false;
    bindLetter(letters, letter, digit);
    return true;
}

// --- Divisor cells ---
// The digits tried at a divisor cell, ascending from `first` to `last`, each
// subject to divisorDigitFits; `freeLetter` is the unbound letter standing
// there (to be bound to each digit tried), or -1.
struct DivisorChoice {
    int first = 0;
    int last = -1;
    int freeLetter = -1;
};
DivisorChoice divisorChoice(char cell, const DigitRange& range, const LetterBindings& letters);
bool divisorDigitFits(const CellRules& rules, char cell, const DivisorChoice& choice, int v,
                      const LetterBindings& letters);

// --- Quotient cells ---
// What the search does at quotient index k: nothing (no digit can stand
// there), the zero step (no lines written; an unbound letter there is bound
// to 0), or every digit from `first` to `last` that quotientDigitFits allows.
struct QuotientChoice {
    enum class Kind { None, Zero, Digits };
    Kind kind = Kind::None;
    int first = 0;
    int last = -1;
    int freeLetter = -1;         // the unbound letter standing there, or -1
    bool skipCondition = false;  // a '*' never stands for the condition digit
};

// The digits a '*' quotient cell with a written partial product P_k may
// take for divisor D: from P_k's length and the range of its first digit,
// and the cell's own range. Depends on D only through one division, so a
// search may work it out once per divisor.
struct DigitSpan {
    int first;
    int last;
};
template <typename Number>
DigitSpan starQuotientSpan(const WorkRecord& work, int k, Number divisor);

// The choice at quotient index k; `span` is starQuotientSpan(work, k, D).
QuotientChoice quotientChoice(const CellRules& rules, const WorkRecord& work, int k, DigitSpan span,
                              const LetterBindings& letters);
bool quotientDigitFits(const CellRules& rules, const QuotientChoice& choice, int v,
                       const LetterBindings& letters);

// --- The span of a '*' quotient cell ---
inline int clampDigit(Int128 v) { return v > 10 ? 10 : v < -1 ? -1 : static_cast<int>(v); }

template <typename Number>
DigitSpan starQuotientSpan(const WorkRecord& work, int k, Number divisor) {
    const WorkRow& product = work.rows[partialProductRow(k)];
    const DigitRange& own = work.rows[kQuotientRow].ranges[k];
    const int s = work.rows[kDivisorRow].length;
    const int length = product.length;
    int low = 1;
    int high = 9;
    if (length > 0) {
        // P_k = D × v has `length` digits and its first digit in the row's range.
        const Number scale = tenTo<Number>(length - 1);
        if (length > s) {
            low = clampDigit(static_cast<Number>(product.ranges[0].lo) * scale / divisor);
        } else if (product.ranges[0].hi < 0) {
            high = 0;  // no first digit at all (propagation may leave hi below 0)
        } else {
            high = clampDigit((static_cast<Number>(product.ranges[0].hi + 1) * scale - 1) / divisor);
        }
    }
    return {std::max({low, own.lo, 1}), std::min(high, own.hi)};
}

}  // namespace varnokit
