// The right-end plan: the divisor's digits from the right, column by column,
// each followed by the quotient digits that the cells checkable at that
// column need.
#include "solver/fast_search_plan.h"

#include <algorithm>
#include <cmath>

namespace varnokit::fast {

namespace {

// A cell near a row's right end, and what checking it needs.
struct RightCell {
    CellCheck check;
    int column;            // divisor digits needed from the right
    uint16_t quotientSet;  // bit k: quotient digit k needed
    bool prunes;           // a digit or letter (a '*' only excludes the condition digit)
};

class CellList {
public:
    explicit CellList(const Puzzle& puzzle) : puzzle_(puzzle) {}

    void addRow(RowKind kind, int k, const RowPattern& row, int extraColumns, uint16_t quotientSet) {
        for (int j = 0; j < row.length; ++j) {
            add(CellCheck{kind, static_cast<int8_t>(k), static_cast<int8_t>(j), row.cell[row.length - 1 - j]},
                j + 1 + extraColumns, quotientSet);
        }
    }
    void add(CellCheck check, int column, uint16_t quotientSet) {
        const bool prunes = check.cell != kStar;
        if (!prunes && puzzle_.condition < 0) return;  // nothing to check
        cells.push_back(RightCell{check, column, quotientSet, prunes});
    }

    std::vector<RightCell> cells;

private:
    const Puzzle& puzzle_;
};

std::vector<RightCell> rightCells(const Puzzle& puzzle) {
    CellList list(puzzle);
    const int q = puzzle.q;
    for (int j = 0; j < puzzle.s; ++j) {
        list.add(CellCheck{RowKind::Divisor, 0, static_cast<int8_t>(j), puzzle.divisorCell[puzzle.s - 1 - j]}, j + 1, 0);
    }
    uint16_t tail = 0;
    for (int k = q - 1; k >= 0; --k) {
        const auto own = static_cast<uint16_t>(1u << k);
        tail = static_cast<uint16_t>(tail | own);
        const int m = q - 1 - k;
        list.add(CellCheck{RowKind::Quotient, static_cast<int8_t>(k), 0, puzzle.quotientCell[k]}, 0, own);
        if (puzzle.product[k].length > 0) list.addRow(RowKind::Product, k, puzzle.product[k], 0, own);
        if (k > 0 && puzzle.difference[k].length > 0) list.addRow(RowKind::Difference, k, puzzle.difference[k], m, tail);
    }
    // The dividend's digit j from the right needs the last j+1 quotient digits.
    const RowPattern& dividend = puzzle.dividend;
    uint16_t needed = 0;
    for (int j = 0; j < dividend.length; ++j) {
        if (q - 1 - j >= 0) needed = static_cast<uint16_t>(needed | (1u << (q - 1 - j)));
        list.add(CellCheck{RowKind::Dividend, 0, static_cast<int8_t>(j), dividend.cell[dividend.length - 1 - j]}, j + 1,
                 needed);
    }
    return list.cells;
}

int digitCount(DigitMask mask) { return __builtin_popcount(mask); }

// The column plan up to `depth` divisor digits: each column's digit, then
// the quotient digits its pruning cells need, fewest candidates first.
std::vector<PlanStep> columnPlan(const Puzzle& puzzle, const std::vector<RightCell>& cells, int depth) {
    std::vector<PlanStep> plan;
    std::vector<bool> placed(cells.size(), false);
    int column = 0;
    uint16_t known = 0;
    // Attaches every cell that the choices so far complete to the last step.
    auto attach = [&]() {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const RightCell& c = cells[i];
            if (placed[i] || c.column > column || (c.quotientSet & ~known) != 0) continue;
            placed[i] = true;
            plan.back().checks.push_back(c.check);
        }
    };
    auto chooseQuotient = [&](int k) {
        PlanStep step;
        step.quotient = k;
        plan.push_back(step);
        known = static_cast<uint16_t>(known | (1u << k));
        attach();
    };

    // Quotient digits with one possible value cost nothing: first.
    for (int k = 0; k < puzzle.q; ++k) {
        if (digitCount(puzzle.quotientAllowed[k]) == 1) chooseQuotient(k);
    }
    for (column = 1; column <= depth; ++column) {
        PlanStep step;
        step.divisorLow = true;
        plan.push_back(step);
        attach();
        uint16_t needed = 0;
        for (const RightCell& c : cells) {
            if (c.prunes && c.column <= column) needed = static_cast<uint16_t>(needed | c.quotientSet);
        }
        needed = static_cast<uint16_t>(needed & ~known);
        std::vector<int> digits;
        for (int k = 0; k < puzzle.q; ++k) {
            if (needed & (1u << k)) digits.push_back(k);
        }
        std::stable_sort(digits.begin(), digits.end(), [&](int a, int b) {
            return digitCount(puzzle.quotientAllowed[a]) < digitCount(puzzle.quotientAllowed[b]);
        });
        for (int k : digits) chooseQuotient(k);
    }
    return plan;
}

}  // namespace

std::vector<PlanStep> planFromRight(const Puzzle& puzzle, int highFixed) {
    const int reach = puzzle.s - highFixed;  // divisor digits the plan may choose
    std::vector<RightCell> cells = rightCells(puzzle);
    cells.erase(std::remove_if(cells.begin(), cells.end(), [&](const RightCell& c) { return c.column > reach; }),
                cells.end());

    // How far to go: the column where the pruning cells checked so far
    // outnumber the divisor digits chosen by the most (each cell refutes
    // about nine assignments in ten, each digit multiplies them by ten).
    int depth = 0;
    int bestNet = 0;
    for (int column = 1; column <= reach; ++column) {
        int checked = 0;
        for (const RightCell& c : cells) checked += c.prunes && c.column <= column ? 1 : 0;
        if (checked - column >= bestNet && checked > 0) {
            bestNet = checked - column;
            depth = column;
        }
    }
    // The last columns go again while what they refute does not pay for the
    // digits they try: a cell refutes nine in ten (a letter's first
    // place only binds it), each choice multiplies the assignments by its digits.
    while (depth > 0) {
        const std::vector<PlanStep> plan = columnPlan(puzzle, cells, depth);
        bool seen[kMaskLetters];
        for (int i = 0; i < kMaskLetters; ++i) seen[i] = puzzle.start.letter[i] >= 0;
        int column = 0;
        double refuted = 0, tried = 0;  // in the last column, as powers of ten
        for (const PlanStep& step : plan) {
            if (step.divisorLow) ++column;
            const bool last = column == depth;
            if (last) {
                const DigitMask allowed = step.divisorLow ? puzzle.divisorAllowed[puzzle.s - column]
                                                          : puzzle.quotientAllowed[step.quotient];
                tried += std::log10(static_cast<double>(std::max(1, digitCount(allowed))));
            }
            for (const CellCheck& check : step.checks) {
                double power = 1;
                if (check.cell == kStar) {
                    power = 0.05;
                } else if (check.cell >= kFirstLetter) {
                    power = seen[check.cell - kFirstLetter] ? 1 : 0;
                    seen[check.cell - kFirstLetter] = true;
                }
                if (last) refuted += power;
            }
        }
        if (refuted + 1e-9 >= tried) return plan;
        --depth;
    }
    return {};
}

}  // namespace varnokit::fast
