// Puts the interior rows into solver order (P_0, R_1, P_1, …, an empty pair
// for each quotient digit 0, also for zeros ending the quotient), reads the
// final remainder's value when it is written in digits and checks its length
// against the last written partial product.
#include <string_view>

#include "model/parser.h"
#include "model/parser_messages.h"
#include "model/row_text.h"

namespace varnokit {

namespace {

void copyLine(const WorkRow& from, WorkRow& to) {
    setRowText(to, rowText(from));
    std::memcpy(to.raw, from.raw, sizeof to.raw);
    to.length = from.length;
}

// Writes the middle lines of the problem record (typed order, row 3 + i)
// into the WorkRecord in solver order. False when they do not make exactly
// 2q - 1 interior rows, which the layout checks rule out.
bool placeInteriorRows(PuzzleState& state) {
    const WorkRecord& typed = state.problem;
    WorkRecord& work = state.work;
    const int q = typed.rows[kQuotientRow].length;
    const int n = typed.rows[kDividendRow].length;
    const int lineCount = lastMiddleRow(state) - 1;
    for (int r = kFirstInteriorRow + 1; r < kRowCount; ++r) clearRowText(work.rows[r]);

    int next = kFirstInteriorRow + 1;  // P_0 stays in row 4
    for (int d = 2; d <= lineCount - 3; d += 2) {
        const WorkRow& difference = typed.rows[3 + d];
        const WorkRow& product = typed.rows[4 + d];
        // Dividend digits brought down into this difference line; each one
        // beyond the first stands for a quotient digit 0.
        const int gap = difference.length - typed.rows[2 + d].length;
        if (gap < 1 || next + 2 * gap > kRowCount) return false;
        next += 2 * (gap - 1);  // the empty pairs, already cleared
        copyLine(difference, work.rows[next++]);
        copyLine(product, work.rows[next++]);
    }
    // A last partial product ending before the dividend's last column leaves
    // that many quotient digits 0 at the end, each an empty pair.
    const int trailingZeros = n - typed.rows[lastMiddleRow(state)].length;
    if (trailingZeros < 0 || next + 2 * trailingZeros > kRowCount) return false;
    next += 2 * trailingZeros;
    return q >= 1 && next == kFirstInteriorRow + 2 * q - 1;
}

bool allDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!isDigitCell(c)) return false;
    return true;
}

// A remainder written with '*' or mask letters: its cells are read like any
// other row's, so a blank among them leaves it unreadable.
bool allCells(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!isCell(c)) return false;
    return true;
}

}  // namespace

int relayout(PuzzleState& state) {
    state.work = state.problem;
    WorkRecord& work = state.work;
    if (!placeInteriorRows(state)) {
        state.pending += messages::kFirstProductMisplaced;
        return 1;
    }

    // A remainder in digits is read as a number ("05" is 5); one with hidden
    // cells keeps them, and the search finds its value.
    WorkRow& remainder = work.rows[kRemainderRow];
    remainder.value = 0;
    Int128 value = 0;
    if (allDigits(rowText(remainder))) {
        if (!parseDecimal(std::string(rowText(remainder)), value)) {
            state.pending += messages::kRemainderNotNumber;
            return 1;
        }
        remainder.value = value;
    } else if (!allCells(rowText(remainder))) {
        state.pending += messages::kRemainderNotNumber;
        return 1;
    }

    const int q = work.rows[kQuotientRow].length;
    const int lastDigit = lastWrittenDigit(work);
    if (lastDigit < 0) {  // the layout checks guarantee a written product
        state.pending += messages::kFirstProductMisplaced;
        return 1;
    }
    const std::string_view last = stripBlanks(rowText(work.rows[partialProductRow(lastDigit)]));
    if (remainder.length > static_cast<int>(last.size())) {
        state.pending += messages::kRemainderTooLong;
        return 1;
    }

    state.problem = work;
    for (int r = kFirstInteriorRow; r < kFirstInteriorRow + 2 * q - 1; ++r) {
        WorkRow& row = work.rows[r];
        const std::string cells(stripBlanks(rowText(row)));
        setRowText(row, cells);
        row.length = static_cast<int32_t>(cells.size());
    }
    return 0;
}

}  // namespace varnokit
