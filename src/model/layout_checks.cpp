// The length checks (digit counts, leading zeros) and the layout checks
// (where the middle lines stand) on the freshly parsed problem record.
#include <string_view>

#include "model/parser.h"
#include "model/parser_messages.h"
#include "model/row_text.h"

namespace varnokit {

namespace {

int firstMiddleRow() { return kFirstInteriorRow; }  // body line 1

}  // namespace

void lengthChecks(PuzzleState& state) {
    const WorkRecord& rec = state.problem;
    const int s = rec.rows[kDivisorRow].length;
    const int q = rec.rows[kQuotientRow].length;
    const int n = rec.rows[kDividendRow].length;
    if (s > kMaxDivisorDigits) state.pending += messages::kDivisorTooLong;
    if (q > kMaxQuotientDigits) state.pending += messages::kQuotientTooLong;
    if (n != s + q && n != s + q - 1) state.pending += messages::kDigitCountsDisagree;
    if (rec.rows[kDivisorRow].text[0] == '0') state.pending += messages::kDivisorLeadingZero;
    if (rec.rows[kQuotientRow].text[0] == '0') state.pending += messages::kQuotientLeadingZero;
    for (int r = firstMiddleRow(); r <= lastMiddleRow(state); ++r) {
        std::string_view cells = stripBlanks(rowText(rec.rows[r]));
        if (!cells.empty() && cells[0] == '0') state.pending += messages::kProductLeadingZero;
    }
    // A remainder with hidden cells is written like the other rows, without
    // a leading 0; one in digits only is read as a number ("05" is 5).
    // (A blank among its cells is reported by the remainder check.)
    const std::string_view remainder = rowText(rec.rows[kRemainderRow]);
    if (remainderIsOpen(rec) && remainder.size() > 1 && remainder[0] == '0' &&
        remainder.find(' ') == std::string_view::npos)
        state.pending += messages::kRemainderLeadingZero;
}

void layoutChecks(PuzzleState& state) {
    if (lastMiddleRow(state) < firstMiddleRow()) return;  // no middle lines: the parse failed
    const WorkRecord& rec = state.problem;
    const int s = rec.rows[kDivisorRow].length;
    const int q = rec.rows[kQuotientRow].length;
    const int n = rec.rows[kDividendRow].length;
    for (int r = firstMiddleRow(); r <= lastMiddleRow(state); ++r) {
        const int width = static_cast<int>(stripBlanks(rowText(rec.rows[r])).size());
        if (width != s && width != s + 1) state.pending += messages::kProductWidthMismatch;
    }
    // The last partial product ends under the dividend's last digit, or,
    // when the quotient ends in zeros (which have no lines), that many
    // columns earlier; never before the column of the quotient's first digit.
    const int lastEnd = rec.rows[lastMiddleRow(state)].length;
    const bool lastPlaced = lastEnd <= n && lastEnd >= n - q + 1;
    if (!lastPlaced) state.pending += messages::kLastProductMisplaced;
    // Quotient digit k belongs to dividend column n - q + k, so the first
    // partial product ends in column n - q. Placed anywhere else, the lines
    // below give more or fewer than the 2q - 1 interior rows the solver
    // reads. With a single middle line that line is also the last one; one
    // message for it is enough.
    const bool firstIsLast = firstMiddleRow() == lastMiddleRow(state);
    if (rec.rows[firstMiddleRow()].length != n - q + 1 && !(firstIsLast && !lastPlaced))
        state.pending += messages::kFirstProductMisplaced;
}

}  // namespace varnokit
