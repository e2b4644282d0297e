// Laying out stored solutions as the solution pane shows them.
#include "cli/solution_text.h"

#include "analysis/mask_table.h"
#include "encoding/cp932.h"

namespace varnokit::cli {

std::string rightAligned(const std::string& text, int width) {
    const std::size_t field = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (text.size() >= field) return text;
    return std::string(field - text.size(), ' ') + text;
}

namespace {

// The pane lines from a solution's row values.
std::vector<std::string> paneFromValues(const PuzzleState& state, const Int128 (&values)[kRowCount]) {
    const int n = state.problem.rows[kDividendRow].length;
    const int q = state.work.rows[kQuotientRow].length;
    std::vector<std::string> lines{toDecimal(values[kDividendRow])};
    for (int u = 0; u < 2 * q - 1; ++u) {
        const int row = kFirstInteriorRow + u;
        if (values[row] == 0) continue;  // the empty pair of a zero quotient digit
        lines.push_back(rightAligned(toDecimal(values[row]), state.problem.rows[row].length));
    }
    lines.push_back(rightAligned(toDecimal(values[kRemainderRow]), n));
    return lines;
}

}  // namespace

std::vector<std::string> paneLines(const PuzzleState& state, int index) {
    Int128 values[kRowCount];
    state.solutions.rowValues(index, values);
    return paneFromValues(state, values);
}

std::string quotientLine(const PuzzleState& state, int index) {
    Int128 values[kRowCount];
    state.solutions.rowValues(index, values);
    return rightAligned(toDecimal(values[kQuotientRow]), state.problem.rows[kDividendRow].length);
}

std::vector<std::string> solutionBlock(const PuzzleState& state, int index) {
    // Converted once: a batch may print millions of headings.
    static const std::string kNth = cp932ToUtf8Lossy("\x94\xd4\x96\xda\x81^");  // 番目／
    static const std::string kOf = cp932ToUtf8Lossy("\x8c\xc2\x92\x86");        // 個中

    Int128 values[kRowCount];
    state.solutions.rowValues(index, values);
    const std::string divisor = toDecimal(values[kDivisorRow]);
    const std::string indent(divisor.size() + 1, ' ');
    const int n = state.problem.rows[kDividendRow].length;

    std::vector<std::string> block;
    block.push_back(std::to_string(index + 1) + kNth + std::to_string(state.solutions.count()) + kOf);
    block.push_back(indent + rightAligned(toDecimal(values[kQuotientRow]), n));
    const std::vector<std::string> pane = paneFromValues(state, values);
    for (std::size_t i = 0; i < pane.size(); ++i) {
        block.push_back((i == 0 ? divisor + " " : indent) + pane[i]);
    }
    // Which digit each masking character stands for in this solution.
    if (const std::string masks = maskTableLine(maskTable(state, index)); !masks.empty())
        block.push_back(cp932ToUtf8Lossy(masks));
    return block;
}

}  // namespace varnokit::cli
