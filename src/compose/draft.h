// A puzzle being composed: a long division written out in full, every cell
// of it shown, hidden ('*') or masked (the character that stands for its
// digit), with the condition and the masking characters. The composing
// commands change cell states only; the division itself never changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "files/problem_file.h"
#include "model/puzzle_input.h"

namespace varnokit::compose {

struct Division {
    int64_t divisor = 0;    // 1 … 14 digits
    int64_t quotient = 0;   // 1 … 14 digits, its last digit not 0
    int64_t remainder = 0;  // smaller than the divisor
    bool operator==(const Division&) const = default;
};

enum class CellState : uint8_t { Shown, Hidden, Masked };

enum class RowKind : uint8_t { Divisor, Quotient, Dividend, Line, Remainder };

// One row of cells.
struct DraftRow {
    RowKind kind = RowKind::Divisor;
    int line = 0;        // Line: its number below the dividend, from 1
    int recordRow = 0;   // the WorkRecord row: 0, 1, 2, 3 (remainder), or 4 + u for interior row u
    int endColumn = 0;   // dividend column of its last cell (the dividend's own: n - 1)
    int firstCell = 0;   // index of its first cell in Draft::digits
    int length = 0;      // cells
};

struct Draft {
    Division division;
    std::vector<DraftRow> rows;       // divisor, quotient, dividend, the lines top to bottom, remainder
    std::vector<uint8_t> digits;      // each cell's digit, row after row, left to right
    std::vector<CellState> states;    // each cell's state
    int condition = -1;               // no '*' stands for this digit; -1 none
    // The cp932 character that masks digit d ("" while d has none). Two
    // digits never share a character.
    std::array<std::string, 10> maskOf;
    std::vector<std::string> notes;   // the notes box (cp932)

    int cellCount() const { return static_cast<int>(digits.size()); }
    int dividendLength() const;
    int count(CellState state) const;  // cells in that state
    const DraftRow& rowOf(int cell) const;
};

// --- Writing out a division ---
enum class LayoutProblem {
    None,
    DivisorSize,         // not 1 … 14 digits
    QuotientSize,        // not 1 … 14 digits (or 0)
    RemainderTooLarge,   // not smaller than the divisor (or negative)
};
// Every cell shown, no condition, no masks. A quotient ending in 0 has no
// lines for its last zeros: its last partial product ends that many columns
// before the dividend's last digit.
LayoutProblem writeOut(const Division& division, Draft& out);
// The division `divisor` into `dividend`, written out.
LayoutProblem writeOutDividend(int64_t divisor, const std::string& dividendDigits, Draft& out);

// The digits another division has in the same layout, cell by cell; false
// when its written rows do not have the same shape.
bool digitsInShape(const Draft& shape, const Division& other, std::vector<uint8_t>& digits);

// True when a division whose cells hold `otherDigits` (in `draft`'s shape)
// satisfies the puzzle `states` describes: shown cells equal, no hidden
// cell holding the condition digit, one digit per masking character and
// one masking character per digit.
bool fitsCells(const Draft& draft, const std::vector<CellState>& states,
               const std::vector<uint8_t>& otherDigits);

// --- The puzzle as the boxes hold it ---
// Half-width digits, '*' and blanks; when a cell is masked, full-width
// digits, "＊" and "　" instead, so that every column is as wide as a mask.
// The remainder stands right-aligned under the dividend's last digit.
ProblemBoxes draftBoxes(const Draft& draft);
PuzzleInput draftInput(const Draft& draft);

}  // namespace varnokit::compose
