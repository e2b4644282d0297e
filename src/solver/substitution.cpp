// Letter substitution and the examination of cells typed as '*'.
#include "solver/substitution.h"

namespace varnokit {
namespace {

bool isLetter(char c) { return c >= 'A' && c < 'A' + kMaskLetters; }

// Substitutes one row; false when its first cell becomes '0' (and the row
// is longer than one cell, when `soleZeroAllowed`: a remainder may be 0).
bool substituteRow(const LetterBindings& letters, WorkRow& row, bool soleZeroAllowed = false) {
    for (int j = 0; j < row.length; ++j) {
        char& cell = row.text[j];
        if (!isLetter(cell)) continue;
        const int digit = letters.letter[cell - 'A'];
        if (digit < 0) continue;
        cell = static_cast<char>('0' + digit);
        if (j == 0 && digit == 0 && !(soleZeroAllowed && row.length == 1)) return false;
    }
    return true;
}

bool allDigits(const WorkRow& row) {
    for (int j = 0; j < row.length; ++j) {
        if (row.text[j] < '0' || row.text[j] > '9') return false;
    }
    return true;
}

int lastInteriorRow(const WorkRecord& work) {
    return partialProductRow(work.rows[kQuotientRow].length - 1);
}

}  // namespace

bool substituteLetters(PuzzleState& state) {
    WorkRow* rows = state.work.rows;
    for (int row : {kDividendRow, kDivisorRow, kQuotientRow}) {
        if (!substituteRow(state.letters, rows[row])) return false;
    }
    for (int row = kFirstInteriorRow; row <= lastInteriorRow(state.work); ++row) {
        if (rows[row].length > 0 && !substituteRow(state.letters, rows[row])) return false;
    }
    return substituteRow(state.letters, rows[kRemainderRow], true);
}

bool settleRemainder(PuzzleState& state) {
    const WorkRow& typed = state.problem.rows[kRemainderRow];
    WorkRow& remainder = state.work.rows[kRemainderRow];
    if (allDigits(typed) || !allDigits(remainder)) return true;
    if (remainder.length > 1 && remainder.text[0] == '0') return false;
    Int128 value = 0;
    for (int j = 0; j < remainder.length; ++j) value = value * 10 + (remainder.text[j] - '0');
    remainder.value = value;
    return true;
}

TypedStarCells examineTypedStars(const PuzzleState& state) {
    TypedStarCells result;
    if (state.conditionDigit < 0) return result;
    const char condition = state.conditionChar;
    auto examineRow = [&](const WorkRow& typed, const WorkRow& deduced) {
        // The typed interior row keeps its leading blanks; the deduced one
        // is trimmed, so both end in the same cell.
        const int offset = typed.length - deduced.length;
        if (offset < 0) return;
        for (int j = 0; j < deduced.length; ++j) {
            if (typed.text[offset + j] != '*') continue;
            const char cell = deduced.text[j];
            if (cell == condition) result.holdsCondition = true;
            if (isLetter(cell)) result.letterAvoidsCondition[cell - 'A'] = true;
        }
    };
    for (int row = 0; row <= lastInteriorRow(state.work); ++row) {
        examineRow(state.problem.rows[row], state.work.rows[row]);
    }
    return result;
}

}  // namespace varnokit
