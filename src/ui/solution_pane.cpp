// Lays out one stored solution as a worked division. The field widths come
// from the problem record, where interior rows keep their typed leading
// blanks, so the pane mirrors the puzzle's columns.
#include "ui/solution_pane.h"

#include <cassert>

namespace varnokit::ui {

std::string padLeft(const std::string& text, int width) {
    const int missing = width - static_cast<int>(text.size());
    if (missing <= 0) return text;
    return std::string(static_cast<std::size_t>(missing), ' ') + text;
}

SolutionPaneText solutionPaneText(const PuzzleState& state, int index) {
    const SolutionList& list = state.solutions;
    assert(index >= 0 && index < list.count());
    Int128 values[kRowCount];
    list.rowValues(index, values);

    const int q = list.shared().rows[kQuotientRow].length;
    const int n = state.problem.rows[kDividendRow].length;

    SolutionPaneText pane;
    pane.sequence = std::to_string(index + 1);
    pane.count = std::to_string(list.count());
    pane.divisor = toDecimal(values[kDivisorRow]);
    pane.quotient = padLeft(toDecimal(values[kQuotientRow]), n);
    pane.body.push_back(toDecimal(values[kDividendRow]));
    for (int u = 0; u <= 2 * q - 2; ++u) {
        const int row = kFirstInteriorRow + u;
        if (values[row] == 0) continue;  // the empty pair of a quotient digit 0
        pane.body.push_back(padLeft(toDecimal(values[row]), state.problem.rows[row].length));
    }
    pane.body.push_back(padLeft(toDecimal(values[kRemainderRow]), n));
    return pane;
}

}  // namespace varnokit::ui
