// The fixed-size record that holds one written-out long division: one row per
// line (divisor, quotient, dividend, final remainder, then the partial
// products and difference lines), each with its pattern text, the text as
// typed, its length, its value in the current assignment and its digit ranges.
#pragma once

#include <cstdint>

#include "model/numbers.h"

namespace varnokit {

// --- Capacities ---
constexpr int kRowCount = 32;      // rows of a record
constexpr int kTextCapacity = 32;  // pattern text: at most 31 cells + NUL
constexpr int kRawCapacity = 64;   // typed text: at most 63 bytes + NUL
constexpr int kRangeCount = 32;    // digit ranges per row
constexpr int kMaxDivisorDigits = 14;
constexpr int kMaxQuotientDigits = 14;

// --- Fixed rows ---
constexpr int kDivisorRow = 0;
constexpr int kQuotientRow = 1;
constexpr int kDividendRow = 2;
constexpr int kRemainderRow = 3;
constexpr int kFirstInteriorRow = 4;  // P_0; interior row u is row 4 + u

// Row of P_k, the partial product of quotient digit k (k = 0 leftmost).
constexpr int partialProductRow(int k) { return 4 + 2 * k; }
// Row of R_k (k >= 1), the difference line written directly above P_k.
constexpr int differenceRow(int k) { return 3 + 2 * k; }

// Inclusive digit range of one text position; upper bound first.
struct DigitRange {
    int32_t hi;
    int32_t lo;
};

struct WorkRow {
    char text[kTextCapacity];  // pattern: '0'-'9', '*', 'A'-'J' (and leading blanks where kept)
    char raw[kRawCapacity];    // the line as typed (cp932), trimmed
    int32_t length;            // cells of text, leading blanks included; 0 = empty row
    Int128 value;              // the number the row stands for in the current assignment
    DigitRange ranges[kRangeCount];  // per text position j, from the left
};

struct WorkRecord {
    WorkRow rows[kRowCount];
};

// --- Shape of a division ---
// Index k of the last quotient digit with a written partial product; the
// digits after it are 0 and have no lines (a quotient ending in 0). -1 when
// no product is written. Reads the row lengths only.
int lastWrittenDigit(const WorkRecord& record);

// True when the final remainder row holds a cell that is not a digit ('*' or
// a mask letter): its value is then found by the search, solution by
// solution, like any other row's. A remainder written in digits is read as a
// number once, when the puzzle is parsed.
bool remainderIsOpen(const WorkRecord& record);

}  // namespace varnokit
