// Uniqueness analysis: tallies, over every stored solution in one pass each,
// which digits stand in the wildcard cells, and reports the conditions and
// the revealed digits that would leave exactly one solution.
#include "analysis/uniqueness.h"

#include <cassert>
#include <cstdint>
#include <vector>

namespace varnokit {
namespace {

constexpr int kMaxRowCells = 32;
[[maybe_unused]] constexpr int kMaxInteriorRows = 28;  // checked by assert only

/* --- Rows examined --- */

// The examined rows in tally and report order: dividend, divisor, quotient,
// the interior rows P_0 … P_(q-1), then the final remainder (a remainder in
// digits has no wildcard; one written with '*' has them like any row).
std::vector<int> examinedRows(const WorkRecord& shape) {
    std::vector<int> rows{kDividendRow, kDivisorRow, kQuotientRow};
    const int q = shape.rows[kQuotientRow].length;
    assert(2 * q - 1 <= kMaxInteriorRows);
    for (int u = 0; u < 2 * q - 1; ++u) rows.push_back(kFirstInteriorRow + u);
    rows.push_back(kRemainderRow);
    return rows;
}

bool isInterior(int row) { return row >= kFirstInteriorRow; }

// A row's text with blanks and control bytes removed from both ends.
std::string trimmed(const WorkRow& row) {
    std::string text(row.text, static_cast<std::size_t>(row.length));
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 0x20) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 0x20) --last;
    return text.substr(first, last - first);
}

// Positions (from the left) of the '*' cells of a pattern.
std::vector<int> wildcardPositions(const std::string& pattern) {
    std::vector<int> positions;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        if (pattern[p] == '*') positions.push_back(static_cast<int>(p));
    }
    return positions;
}

// The decimal digits of a solution's row value. Acceptance guarantees the
// value is exactly as long as the row's pattern, so positions line up.
std::string digitsOf(Int128 value, std::size_t patternLength) {
    std::string digits = toDecimal(value);
    assert(digits.size() == patternLength);
    (void)patternLength;
    return digits;
}

// Calls visit(k, p, digit) for each listed cell p of each examined row k of
// stored solution `index`, skipping the empty pair of a zero quotient digit.
template <class Visit>
void visitCells(const SolutionList& list, int index, const std::vector<int>& rows,
                const std::vector<std::vector<int>>& cells, Visit visit) {
    Int128 values[kRowCount];
    list.rowValues(index, values);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const int row = rows[k];
        if (cells[k].empty() || (isInterior(row) && values[row] == 0)) continue;
        const std::string digits = digitsOf(values[row], static_cast<std::size_t>(list.shared().rows[row].length));
        for (int p : cells[k]) visit(k, p, digits[static_cast<std::size_t>(p)] - '0');
    }
}

/* --- Texts of the log --- */

const char* const kConditionHeading =
    "\x8f\xf0\x8c\x8f\x82\xc9\x82\xe6\x82\xe8\x88\xea\x88\xd3\x89\xbb\x89\xc2\x94\x5c";  // 条件により一意化可能
const char* const kConditionPrefix = "  * \x81\x82";  //   * ≠
const char* const kDigitHeading =
    "\x90\x94\x8e\x9a\x89\xbb\x82\xc9\x82\xe6\x82\xe8\x88\xea\x88\xd3\x89\xbb\x89\xc2\x94\x5c";  // 数字化により一意化可能
const char* const kArrow = " \x81\xa8 ";                          //  →
const char* const kDividendPrefix = "  \x94\xed\x8f\x9c\x90\x94: ";  //   被除数:
const char* const kDivisorPrefix = "  \x8f\x9c\x90\x94: ";           //   除数:
const char* const kQuotientPrefix = "  \x8f\xa4: ";                  //   商:
const char* const kInteriorPrefix = "  \x95\x94\x95\xaa\x90\xcf";    //   部分積
const char* const kInteriorSuffix = "\x8ds\x96\xda: ";               // 行目:
const char* const kNeitherHelps =
    "\x88\xea\x82\xc2\x82\xcc\x8f\xf0\x8c\x8f\x81" "E\x88\xea\x82\xc2\x82\xcc\x90\x94\x8e\x9a\x82\xc5\x82\xcd"
    "\x88\xea\x88\xd3\x89\xbb\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81" "B";  // 一つの条件・一つの数字では一意化できません。
const char* const kRemainderPrefix = "  \x97]\x82\xe8: ";               //   余り:

}  // namespace

/* --- Condition pass --- */

// Counts, per digit d, the solutions in which no cell typed as '*' holds d.
// The cells come from the problem record, not from the solutions' patterns:
// a '*' that the layout deductions or bound propagation fixed to d before the
// search holds d in every solution, so "no * is d" would leave none of them,
// and a pass over the remaining '*' cells only would advise it.
std::vector<std::string> analyseConditions(const PuzzleState& state) {
    const SolutionList& list = state.solutions;
    const WorkRecord& shape = list.shared();
    const std::vector<int> rows = examinedRows(shape);

    std::vector<std::vector<int>> typedWildcards;
    for (int row : rows) typedWildcards.push_back(wildcardPositions(trimmed(state.problem.rows[row])));

    int64_t freeDigit[10] = {};
    for (int i = 0; i < list.count(); ++i) {
        int seen[10] = {};
        visitCells(list, i, rows, typedWildcards, [&seen](std::size_t, int, int digit) { ++seen[digit]; });
        for (int d = 0; d < 10; ++d) {
            if (seen[d] == 0) ++freeDigit[d];
        }
    }

    std::vector<std::string> lines;
    for (int d = 0; d < 10; ++d) {
        if (freeDigit[d] != 1) continue;
        if (lines.empty()) lines.emplace_back(kConditionHeading);
        lines.push_back(std::string(kConditionPrefix) + static_cast<char>('0' + d));
    }
    return lines;
}

/* --- Revealed-digit pass --- */

namespace {

std::string rowPrefix(int row, int interiorNumber) {
    switch (row) {
        case kDividendRow: return kDividendPrefix;
        case kDivisorRow: return kDivisorPrefix;
        case kQuotientRow: return kQuotientPrefix;
        case kRemainderRow: return kRemainderPrefix;
        default:
            return std::string(kInteriorPrefix) + std::to_string(interiorNumber) + kInteriorSuffix;
    }
}

}  // namespace

// Counts, per wildcard cell of the solutions' patterns and per digit, the
// solutions holding that digit there; a count of exactly 1 means revealing
// the digit leaves that one solution.
std::vector<std::string> analyseDigits(const PuzzleState& state) {
    const SolutionList& list = state.solutions;
    const WorkRecord& shape = list.shared();
    const std::vector<int> rows = examinedRows(shape);

    std::vector<std::vector<int>> wildcards;
    for (int row : rows) {
        const WorkRow& pattern = shape.rows[row];
        wildcards.push_back(wildcardPositions(std::string(pattern.text, static_cast<std::size_t>(pattern.length))));
    }

    // tally[k][p][d]: solutions with digit d in wildcard cell p of examined row k.
    std::vector<uint32_t> tally(rows.size() * kMaxRowCells * 10, 0);
    auto at = [&tally](std::size_t k, int p, int d) -> uint32_t& {
        return tally[(k * kMaxRowCells + static_cast<std::size_t>(p)) * 10 + static_cast<std::size_t>(d)];
    };

    for (int i = 0; i < list.count(); ++i) {
        visitCells(list, i, rows, wildcards, [&at](std::size_t k, int p, int digit) { ++at(k, p, digit); });
    }

    std::vector<std::string> lines;
    int interiorNumber = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const int row = rows[k];
        const int length = state.work.rows[row].length;
        if (isInterior(row)) {
            if (length == 0) continue;  // not typed, not numbered
            ++interiorNumber;
        }
        const WorkRow& typed = state.problem.rows[row];
        const std::string pattern(typed.text, static_cast<std::size_t>(typed.length));
        const std::string bare = trimmed(typed);
        for (int p = 0; p < length && p < kMaxRowCells; ++p) {
            for (int d = 0; d < 10; ++d) {
                if (at(k, p, d) != 1) continue;
                if (lines.empty()) lines.emplace_back(kDigitHeading);
                std::string revealed = bare;
                assert(static_cast<std::size_t>(p) < revealed.size());
                if (static_cast<std::size_t>(p) >= revealed.size()) continue;
                revealed[static_cast<std::size_t>(p)] = static_cast<char>('0' + d);
                lines.push_back(rowPrefix(row, interiorNumber) + pattern + kArrow + revealed);
            }
        }
    }
    return lines;
}

std::vector<std::string> analyseUniqueness(const PuzzleState& state) {
    std::vector<std::string> lines = analyseConditions(state);
    const std::vector<std::string> digits = analyseDigits(state);
    lines.insert(lines.end(), digits.begin(), digits.end());
    if (lines.empty()) lines.emplace_back(kNeitherHelps);
    return lines;
}

}  // namespace varnokit
