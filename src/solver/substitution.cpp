// Letter substitution and the examination of cells typed as '*'.
#include "solver/substitution.h"

namespace varnokit {
namespace {

bool isLetter(char c) { return c >= 'A' && c < 'A' + kMaskLetters; }

// Substitutes one row; false when its first cell becomes '0'.
bool substituteRow(const LetterBindings& letters, WorkRow& row) {
    for (int j = 0; j < row.length; ++j) {
        char& cell = row.text[j];
        if (!isLetter(cell)) continue;
        const int digit = letters.letter[cell - 'A'];
        if (digit < 0) continue;
        cell = static_cast<char>('0' + digit);
        if (j == 0 && digit == 0) return false;
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
        if (row == kRemainderRow) continue;
        examineRow(state.problem.rows[row], state.work.rows[row]);
    }
    return result;
}

}  // namespace varnokit
