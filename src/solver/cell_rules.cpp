// The digits the search tries at divisor and quotient cells.
#include "solver/cell_rules.h"

namespace varnokit {

DivisorChoice divisorChoice(char cell, const DigitRange& range, const LetterBindings& letters) {
    if (isDigitCell(cell)) return {cell - '0', cell - '0', -1};
    if (cell == '*') return {range.lo, range.hi, -1};
    const int letter = cell - 'A';
    const int bound = letters.letter[letter];
    // A bound letter stands for its digit, whatever the position's range.
    if (bound >= 0) return {bound, bound, -1};
    return {range.lo, range.hi, letter};
}

bool divisorDigitFits(const CellRules& rules, char cell, const DivisorChoice& choice, int v,
                      const LetterBindings& letters) {
    if (v < choice.first || v > choice.last) return false;
    if (cell == '*') return v != rules.condition;
    if (choice.freeLetter >= 0) return freeLetterMayTake(rules, letters, choice.freeLetter, v);
    return true;
}

QuotientChoice quotientChoice(const CellRules& rules, const WorkRecord& work, int k, DigitSpan span,
                              const LetterBindings& letters) {
    using Kind = QuotientChoice::Kind;
    const bool written = work.rows[partialProductRow(k)].length > 0;  // digit k is 0 exactly when unwritten
    const char cell = work.rows[kQuotientRow].text[k];
    QuotientChoice choice;

    int fixed = -1;  // the digit of a typed or bound cell
    if (isDigitCell(cell)) fixed = cell - '0';
    if (isLetterCell(cell) && letters.letter[cell - 'A'] >= 0) fixed = letters.letter[cell - 'A'];
    if (fixed >= 0) {
        if (!written && fixed == 0) choice.kind = Kind::Zero;
        if (written && fixed != 0) choice = {Kind::Digits, fixed, fixed, -1, false};
        return choice;
    }
    if (cell == '*') {
        if (!written) {
            if (rules.condition != 0) choice.kind = Kind::Zero;
            return choice;
        }
        return {Kind::Digits, span.first, span.last, -1, true};
    }
    const int letter = cell - 'A';
    if (!written) {
        // An unwritten step is the digit 0, so the letter must be 0.
        if (freeLetterMayTake(rules, letters, letter, 0)) choice = {Kind::Zero, 0, 0, letter, false};
        return choice;
    }
    const DigitRange& range = work.rows[kQuotientRow].ranges[k];
    return {Kind::Digits, std::max(range.lo, 1), range.hi, letter, false};
}

bool quotientDigitFits(const CellRules& rules, const QuotientChoice& choice, int v,
                       const LetterBindings& letters) {
    if (choice.kind != QuotientChoice::Kind::Digits || v < choice.first || v > choice.last) return false;
    if (choice.skipCondition && v == rules.condition) return false;
    return choice.freeLetter < 0 || freeLetterMayTake(rules, letters, choice.freeLetter, v);
}

}  // namespace varnokit
