// Reading a parsed puzzle's cells into a draft.
#include "compose/draft_from_puzzle.h"

#include "model/solution_list.h"

namespace varnokit::compose {

Division storedDivision(const PuzzleState& state, int64_t index) {
    Int128 values[kRowCount];
    state.solutions.rowValues(index, values);
    return Division{static_cast<int64_t>(values[kDivisorRow]), static_cast<int64_t>(values[kQuotientRow]),
                    static_cast<int64_t>(values[kRemainderRow])};
}

bool draftFromPuzzle(const PuzzleState& state, const Division& solution, Draft& out) {
    if (writeOut(solution, out) != LayoutProblem::None) return false;
    int letterDigit[kMaskLetters];
    for (int& d : letterDigit) d = -1;
    for (const DraftRow& row : out.rows) {
        const WorkRow& typed = state.problem.rows[row.recordRow];
        const int blanks = typed.length - row.length;  // a line's leading blanks
        // The problem record keeps a line's leading blanks; the remainder is trimmed.
        const int column = row.kind == RowKind::Line ? row.endColumn + 1 - row.length : 0;
        if (blanks != column) return false;
        for (int c = 0; c < row.length; ++c) {
            const char cell = typed.text[blanks + c];
            const std::size_t index = static_cast<std::size_t>(row.firstCell + c);
            const int digit = out.digits[index];
            if (cell >= '0' && cell <= '9') {
                if (cell - '0' != digit) return false;
                out.states[index] = CellState::Shown;
            } else if (cell == '*') {
                out.states[index] = CellState::Hidden;
            } else if (cell >= 'A' && cell < 'A' + kMaskLetters) {
                int& bound = letterDigit[cell - 'A'];
                if (bound >= 0 && bound != digit) return false;
                bound = digit;
                const MaskEntry& entry = state.masks.entries[cell - 'A'];
                const std::string character(entry.bytes, 2);
                std::string& mask = out.maskOf[static_cast<std::size_t>(digit)];
                if (!mask.empty() && mask != character) return false;  // two masks, one digit
                mask = character;
                out.states[index] = CellState::Masked;
            } else {
                return false;
            }
        }
    }
    out.condition = state.conditionDigit;
    return true;
}

}  // namespace varnokit::compose
