// The deductions the layout alone forces, before any digit range is known:
// quotient digits 0 where a difference line is missing, the 1 (and the 0s and
// 9s after it) of a borrow where a partial product is shorter than the digits
// above it, brought-down dividend digits, and with remainder 0 the equality
// of the last subtraction's two rows.
#include <string>
#include <string_view>

#include "model/parser.h"
#include "model/parser_messages.h"
#include "model/row_text.h"

namespace varnokit {

namespace {

constexpr ConditionRule kRule = ConditionRule::KeepWildcard;

// Interior rows padded on the right to the dividend's width n, so that
// index c of every interior row is dividend column c.
void buildScratch(PuzzleState& state, int q, int n) {
    state.scratch = state.problem;
    setRowText(state.scratch.rows[kQuotientRow], rowText(state.work.rows[kQuotientRow]));
    for (int r = kFirstInteriorRow; r < kFirstInteriorRow + 2 * q - 1; ++r) {
        WorkRow& row = state.scratch.rows[r];
        std::string padded(rowText(row));
        if (static_cast<int>(padded.size()) < n) padded.append(static_cast<std::size_t>(n) - padded.size(), ' ');
        setRowText(row, padded);
        row.length = static_cast<int32_t>(padded.size());
    }
}

// Copies the scratch dividend and the scratch interior rows, trimmed, back
// into the WorkRecord; the lengths there already match the trimmed texts.
void copyScratchBack(PuzzleState& state, int q) {
    setRowText(state.work.rows[kDividendRow], rowText(state.scratch.rows[kDividendRow]));
    for (int r = kFirstInteriorRow; r < kFirstInteriorRow + 2 * q - 1; ++r) {
        std::string_view cells = stripBlanks(rowText(state.scratch.rows[r]));
        assert(static_cast<int>(cells.size()) == state.work.rows[r].length);
        setRowText(state.work.rows[r], cells);
    }
}

// A partial product P_k that starts one column right of the row A it is
// subtracted from leaves A's first digit as a borrow: it is 1. When the next
// difference line starts further right still, the digits of A between are
// 0 and those of P_k under them 9 (as in 100 - 99 = 1).
void deduceBorrows(PuzzleState& state, int q, int n) {
    WorkRecord& sc = state.scratch;
    const char* quotient = sc.rows[kQuotientRow].text;
    for (int k = 0; k <= q - 2; ++k) {
        if (quotient[k] == '0') continue;
        char* above = k == 0 ? sc.rows[kDividendRow].text : sc.rows[differenceRow(k)].text;
        char* product = sc.rows[partialProductRow(k)].text;
        int c = 0;
        if (k > 0) {
            // A nonzero quotient digit without its difference line: the
            // layout is already contradicted, and there is no column to use.
            std::size_t first = std::string_view(above).find_first_not_of(' ');
            if (first == std::string_view::npos) continue;
            c = static_cast<int>(first);
        }
        if (c >= n || product[c] != ' ') continue;
        cellCheck(state, above[c], '1', kRule);

        int m = k + 1;
        while (m < q && quotient[m] == '0') ++m;
        if (m >= q) continue;
        const char* next = sc.rows[differenceRow(m)].text;
        // Stop where either row runs out; only a mistyped layout gets there.
        for (int j = c + 1; j < n && next[j] == ' ' && isCell(above[j]) && isCell(product[j]); ++j) {
            cellCheck(state, above[j], '0', kRule);
            cellCheck(state, product[j], '9', kRule);
        }
    }
}

// Each dividend digit after the first partial product's column is brought
// down into the first interior row that reaches its column. Past the last
// written partial product (a quotient ending in 0) no interior row reaches
// it: it is brought down into the remainder line, which ends under the
// dividend's last digit.
void deduceBroughtDown(PuzzleState& state, int q, int n) {
    WorkRecord& sc = state.scratch;
    char* dividend = sc.rows[kDividendRow].text;
    WorkRow& remainder = state.work.rows[kRemainderRow];
    const int lastEnd = n - q + lastWrittenDigit(state.work);
    for (int c = n - 1; c >= n - q + 1; --c) {
        if (c > lastEnd) {
            const int cell = remainder.length - (n - c);
            if (cell >= 0) matchCheck(state, dividend[c], remainder.text[cell], kRule);
            continue;
        }
        for (int r = kFirstInteriorRow; r < kFirstInteriorRow + 2 * q - 1; ++r) {
            if (sc.rows[r].text[c] == ' ') continue;
            matchCheck(state, dividend[c], sc.rows[r].text[c], kRule);
            break;
        }
    }
}

// With remainder 0 the last written partial product equals the row it is
// subtracted from, cell by cell, and every dividend digit brought down after
// it (a quotient ending in 0) is 0. The row above the first partial product
// is the dividend's first n - q + 1 cells.
void deduceZeroRemainder(PuzzleState& state, int q, int n) {
    // Only a remainder typed in digits has a value here; one typed with
    // hidden cells may have been filled in by the brought-down digits.
    WorkRecord& work = state.work;
    if (remainderIsOpen(state.problem) || work.rows[kRemainderRow].value != 0) return;
    const int last = lastWrittenDigit(work);
    if (last < 0) return;
    WorkRow& dividend = work.rows[kDividendRow];
    WorkRow& above = last == 0 ? dividend : work.rows[differenceRow(last)];
    const int aboveLength = last == 0 ? n - q + 1 : above.length;
    WorkRow& product = work.rows[partialProductRow(last)];
    if (aboveLength != product.length) {
        state.pending += messages::kZeroRemainderLengths;
        return;
    }
    for (int j = 0; j < aboveLength; ++j)
        if (above.text[j] != ' ') matchCheck(state, above.text[j], product.text[j], kRule);
    for (int c = n - (q - 1 - last); c < n; ++c) cellCheck(state, dividend.text[c], '0', kRule);
}

}  // namespace

void prededuce(PuzzleState& state) {
    WorkRecord& work = state.work;
    const int q = work.rows[kQuotientRow].length;
    const int n = work.rows[kDividendRow].length;

    // A quotient digit whose difference line is missing is 0.
    for (int k = 1; k < q; ++k)
        if (work.rows[differenceRow(k)].length == 0) cellCheck(state, work.rows[kQuotientRow].text[k], '0', kRule);

    buildScratch(state, q, n);
    deduceBorrows(state, q, n);
    copyScratchBack(state, q);
    deduceBroughtDown(state, q, n);
    copyScratchBack(state, q);
    deduceZeroRemainder(state, q, n);
}

}  // namespace varnokit
