// Writing out a division cell by cell, comparing other divisions with its
// cells, and typing the result into the boxes.
#include "compose/draft.h"

#include <algorithm>

#include "model/numbers.h"
#include "model/work_record.h"

namespace varnokit::compose {
namespace {

constexpr char kFullWidthBlank[] = "\x81\x40";  // "　"
constexpr char kFullWidthStar[] = "\x81\x96";   // "＊"

void addRow(Draft& out, RowKind kind, int recordRow, int endColumn, const std::string& digits) {
    DraftRow row;
    row.kind = kind;
    row.recordRow = recordRow;
    row.endColumn = endColumn;
    row.firstCell = out.cellCount();
    row.length = static_cast<int>(digits.size());
    if (kind == RowKind::Line) {
        int lines = 0;
        for (const DraftRow& r : out.rows) lines += r.kind == RowKind::Line ? 1 : 0;
        row.line = lines + 1;
    }
    out.rows.push_back(row);
    for (char c : digits) {
        out.digits.push_back(static_cast<uint8_t>(c - '0'));
        out.states.push_back(CellState::Shown);
    }
}

std::string digitText(int digit, bool fullWidth) {
    if (!fullWidth) return std::string(1, static_cast<char>('0' + digit));
    return std::string{'\x82', static_cast<char>(0x4F + digit)};  // "０" … "９"
}

// One cell's text: a digit, '*' or the mask, half- or full-width.
std::string cellText(const Draft& draft, int cell, bool fullWidth) {
    const int digit = draft.digits[static_cast<std::size_t>(cell)];
    switch (draft.states[static_cast<std::size_t>(cell)]) {
        case CellState::Hidden: return fullWidth ? kFullWidthStar : "*";
        case CellState::Masked: return draft.maskOf[static_cast<std::size_t>(digit)];
        default: return digitText(digit, fullWidth);
    }
}

std::string blanks(int count, bool fullWidth) {
    std::string out;
    for (int i = 0; i < count; ++i) out += fullWidth ? kFullWidthBlank : " ";
    return out;
}

}  // namespace

int Draft::dividendLength() const {
    for (const DraftRow& row : rows)
        if (row.kind == RowKind::Dividend) return row.length;
    return 0;
}

int Draft::count(CellState state) const { return static_cast<int>(std::count(states.begin(), states.end(), state)); }

const DraftRow& Draft::rowOf(int cell) const {
    for (const DraftRow& row : rows)
        if (cell >= row.firstCell && cell < row.firstCell + row.length) return row;
    return rows.back();
}

LayoutProblem writeOut(const Division& division, Draft& out) {
    out = Draft{};
    const int64_t d = division.divisor;
    const int64_t quotient = division.quotient;
    if (d < 1 || decimalLength(Int128{d}) > kMaxDivisorDigits) return LayoutProblem::DivisorSize;
    if (quotient < 1 || decimalLength(Int128{quotient}) > kMaxQuotientDigits) return LayoutProblem::QuotientSize;
    if (division.remainder < 0 || division.remainder >= d) return LayoutProblem::RemainderTooLarge;
    out.division = division;

    const Int128 dividend = Int128{d} * quotient + division.remainder;
    const std::string dividendDigits = toDecimal(dividend);
    const std::string quotientDigits = std::to_string(quotient);
    const int n = static_cast<int>(dividendDigits.size());
    const int q = static_cast<int>(quotientDigits.size());
    addRow(out, RowKind::Divisor, kDivisorRow, -1, std::to_string(d));
    addRow(out, RowKind::Quotient, kQuotientRow, -1, quotientDigits);
    addRow(out, RowKind::Dividend, kDividendRow, n - 1, dividendDigits);

    // The long division on paper: take the dividend's first n - q + 1 digits,
    // subtract each partial product and bring down the next digit.
    Int128 current = dividend / pow10(q - 1);
    for (int k = 0; k < q; ++k) {
        const int digit = quotientDigits[static_cast<std::size_t>(k)] - '0';
        const Int128 product = Int128{d} * digit;
        if (digit != 0) {
            if (k > 0) addRow(out, RowKind::Line, differenceRow(k), n - q + k, toDecimal(current));
            addRow(out, RowKind::Line, partialProductRow(k), n - q + k, toDecimal(product));
        }
        current -= product;
        if (k + 1 < q) current = current * 10 + (dividendDigits[static_cast<std::size_t>(n - q + 1 + k)] - '0');
    }
    addRow(out, RowKind::Remainder, kRemainderRow, n - 1, std::to_string(division.remainder));
    return LayoutProblem::None;
}

LayoutProblem writeOutDividend(int64_t divisor, const std::string& dividendDigits, Draft& out) {
    Int128 dividend = 0;
    if (divisor < 1 || decimalLength(Int128{divisor}) > kMaxDivisorDigits) return LayoutProblem::DivisorSize;
    if (dividendDigits.empty() || dividendDigits.size() > 29 || !parseDecimal(dividendDigits, dividend) ||
        dividend < divisor)
        return LayoutProblem::QuotientSize;
    const Int128 quotient = dividend / divisor;
    if (decimalLength(quotient) > kMaxQuotientDigits) return LayoutProblem::QuotientSize;
    return writeOut(Division{divisor, static_cast<int64_t>(quotient), static_cast<int64_t>(dividend % divisor)},
                    out);
}

bool digitsInShape(const Draft& shape, const Division& other, std::vector<uint8_t>& digits) {
    Draft written;
    if (writeOut(other, written) != LayoutProblem::None) return false;
    if (written.rows.size() != shape.rows.size()) return false;
    for (std::size_t i = 0; i < shape.rows.size(); ++i) {
        const DraftRow& a = shape.rows[i];
        const DraftRow& b = written.rows[i];
        if (a.recordRow != b.recordRow || a.length != b.length || a.endColumn != b.endColumn) return false;
    }
    digits = std::move(written.digits);
    return true;
}

bool fitsCells(const Draft& draft, const std::vector<CellState>& states,
               const std::vector<uint8_t>& otherDigits) {
    int maskDigit[10];  // the digit the mask of true digit t stands for in the other division
    int maskOfDigit[10];
    std::fill(std::begin(maskDigit), std::end(maskDigit), -1);
    std::fill(std::begin(maskOfDigit), std::end(maskOfDigit), -1);
    for (std::size_t i = 0; i < states.size(); ++i) {
        const int truth = draft.digits[i];
        const int other = otherDigits[i];
        switch (states[i]) {
            case CellState::Shown:
                if (other != truth) return false;
                break;
            case CellState::Hidden:
                if (other == draft.condition) return false;
                break;
            case CellState::Masked:
                if (maskDigit[truth] < 0) {
                    if (maskOfDigit[other] >= 0) return false;
                    maskDigit[truth] = other;
                    maskOfDigit[other] = truth;
                } else if (maskDigit[truth] != other) {
                    return false;
                }
                break;
        }
    }
    return true;
}

ProblemBoxes draftBoxes(const Draft& draft) {
    const bool fullWidth =
        std::find(draft.states.begin(), draft.states.end(), CellState::Masked) != draft.states.end();
    ProblemBoxes boxes;
    boxes.notes = draft.notes;
    for (const DraftRow& row : draft.rows) {
        std::string text;
        if (row.kind == RowKind::Line || row.kind == RowKind::Remainder)
            text = blanks(row.endColumn + 1 - row.length, fullWidth);
        for (int c = 0; c < row.length; ++c) text += cellText(draft, row.firstCell + c, fullWidth);
        switch (row.kind) {
            case RowKind::Divisor: boxes.divisor = text; break;
            case RowKind::Quotient: boxes.quotient = text; break;
            default: boxes.body.push_back(text); break;
        }
    }
    if (draft.condition >= 0) boxes.condition = std::to_string(draft.condition);
    return boxes;
}

PuzzleInput draftInput(const Draft& draft) {
    const ProblemBoxes boxes = draftBoxes(draft);
    return PuzzleInput{boxes.divisor, boxes.quotient, boxes.body, boxes.condition};
}

}  // namespace varnokit::compose
