// Digit-bound propagation: initial ranges, the narrowing rules A to E and the
// cell checks that fix single-digit positions.
#include "solver/propagation.h"

#include <algorithm>
#include <cassert>

#include "model/parser.h"
#include "solver/messages.h"

namespace varnokit {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void raiseLo(DigitRange& range, int x) { range.lo = std::max(range.lo, x); }
void lowerHi(DigitRange& range, int x) { range.hi = std::min(range.hi, x); }

// Narrowing bounds can exceed a digit's span (rule B gives up to 99); clamp
// before storing them as 32-bit ints.
int clampBound(Int128 v) {
    if (v > 100) return 100;
    if (v < -100) return -100;
    return static_cast<int>(v);
}

class Propagation {
public:
    explicit Propagation(PuzzleState& state)
        : state_(state),
          rows_(state.work.rows),
          s_(rows_[kDivisorRow].length),
          q_(rows_[kQuotientRow].length),
          n_(rows_[kDividendRow].length),
          openRemainder_(remainderIsOpen(state.work)) {}

    int run() {
        initialRanges(rows_[kDividendRow]);
        initialRanges(rows_[kDivisorRow]);
        initialRanges(rows_[kQuotientRow]);
        for (int row = kFirstInteriorRow; row <= lastInteriorRow(); ++row) {
            if (rows_[row].length > 0) initialRanges(rows_[row]);
        }
        if (openRemainder_) {
            // A remainder of one cell may be 0; a longer one begins with 1 … 9.
            WorkRow& remainder = rows_[kRemainderRow];
            initialRanges(remainder);
            if (remainder.length == 1 && !isDigit(remainder.text[0])) remainder.ranges[0].lo = 0;
        }
        for (int pass = 0; pass < 2; ++pass) {
            if (!narrow()) {
                state_.pending += kContradictionMessage;
                return 1;
            }
        }
        return 0;
    }

private:
    int lastInteriorRow() const { return partialProductRow(q_ - 1); }
    WorkRow& quotient() { return rows_[kQuotientRow]; }
    WorkRow& divisor() { return rows_[kDivisorRow]; }
    WorkRow& product(int k) { return rows_[partialProductRow(k)]; }
    WorkRow& difference(int k) { return rows_[differenceRow(k)]; }
    int productLength(int k) const { return rows_[partialProductRow(k)].length; }

    // One pass of the rules and checks; false on a failed cell check.
    bool narrow() {
        ruleA();
        if (!checkRow(quotient())) return false;
        ruleB();
        if (!checkRow(divisor())) return false;
        ruleC();
        ruleD();
        ruleE();
        for (int row = kFirstInteriorRow; row <= lastInteriorRow(); ++row) {
            if (rows_[row].length > 0 && !checkRow(rows_[row])) return false;
        }
        if (openRemainder_) {
            ruleF();
            if (!checkRow(rows_[kRemainderRow])) return false;
        }
        return true;
    }

    // Puts every single-digit position of the row through the cell check.
    // A '*' whose one digit is the condition digit stays '*': the search then
    // finds no digit for it.
    bool checkRow(WorkRow& row) {
        for (int j = 0; j < row.length; ++j) {
            const DigitRange range = row.ranges[j];
            if (range.hi != range.lo) continue;
            assert(range.lo >= 0 && range.lo <= 9);
            char& cell = row.text[j];
            if (cell == '*' && range.lo == state_.conditionDigit) continue;
            if (cellCheck(state_, cell, static_cast<char>('0' + range.lo)) != 0) return false;
        }
        return true;
    }

    // Quotient digits ordered by the lengths of their partial products: a
    // known digit d with a shorter product than position j's forces j above d.
    void ruleA() {
        for (int i = 0; i < q_; ++i) {
            const char c = quotient().text[i];
            if (!isDigit(c) || c == '0') continue;
            const int d = c - '0';
            for (int j = 0; j < q_; ++j) {
                if (productLength(i) < productLength(j)) raiseLo(quotient().ranges[j], d + 1);
                if (productLength(i) > productLength(j)) lowerHi(quotient().ranges[j], d - 1);
            }
        }
    }

    // The divisor's first digit from a known quotient digit d: divisor × d
    // has exactly as many digits as its partial product.
    void ruleB() {
        for (int i = 0; i < q_; ++i) {
            const char c = quotient().text[i];
            if (!isDigit(c) || c == '0') continue;
            const int length = productLength(i);
            // A nonzero digit without a written product has no solution at
            // all; the search finds none, and 10^(length-1) would not exist.
            if (length == 0) continue;
            const int d = c - '0';
            const Int128 lo = (pow10(length - 1) / d) / pow10(s_ - 1);
            const Int128 hi = ((pow10(length) - 1) / d) / pow10(s_ - 1);
            raiseLo(divisor().ranges[0], clampBound(lo));
            lowerHi(divisor().ranges[0], clampBound(hi));
        }
    }

    // A partial product under a difference row of the same length cannot
    // begin with a larger digit than the row it is subtracted from.
    void ruleC() {
        for (int k = 1; k < q_; ++k) {
            WorkRow& r = difference(k);
            WorkRow& p = product(k);
            if (r.length == 0 || r.length != p.length) continue;
            if (isDigit(r.text[0])) {
                lowerHi(p.ranges[0], r.text[0] - '0');
            } else if (isDigit(p.text[0])) {
                raiseLo(r.ranges[0], p.text[0] - '0');
            }
        }
    }

    void ruleD() {
        for (int k = 1; k < q_; ++k) {
            WorkRow& r = difference(k);
            WorkRow& p = product(k);
            if (r.length == 0 || r.length != p.length) continue;
            lowerHi(p.ranges[0], r.ranges[0].hi);
        }
    }

    // When the remainder of step i has as many digits as the subtrahend, its
    // first digit is at most the minuend's first digit less the subtrahend's.
    void ruleE() {
        for (int i = 0; i < q_; ++i) {
            if (quotient().text[i] == '0') continue;
            WorkRow* minuend = nullptr;
            WorkRow* subtrahend = &product(i);
            const int length = subtrahend->length;
            if (i == 0) {
                if (length != n_ - q_ + 1) continue;
                minuend = &rows_[kDividendRow];
            } else {
                if (length == 0 || difference(i).length != length) continue;
                minuend = &difference(i);
            }
            int j = i + 1;
            while (j < q_ && difference(j).length == 0) ++j;
            if (j >= q_) continue;
            WorkRow& next = difference(j);
            if (next.length - (j - i) != length) continue;
            lowerHi(next.ranges[0], minuend->ranges[0].hi - subtrahend->ranges[0].lo);
        }
    }

    // An open remainder is smaller than the divisor: written as long as the
    // divisor, its first digit is at most the divisor's (below it for one
    // digit each), and the divisor's first digit at least the remainder's.
    void ruleF() {
        WorkRow& remainder = rows_[kRemainderRow];
        if (remainder.length != s_) return;
        const int strict = s_ == 1 ? 1 : 0;
        lowerHi(remainder.ranges[0], divisor().ranges[0].hi - strict);
        raiseLo(divisor().ranges[0], remainder.ranges[0].lo + strict);
    }

    PuzzleState& state_;
    WorkRow* rows_;
    int s_;
    int q_;
    int n_;
    bool openRemainder_;  // the remainder has hidden cells and gets ranges too
};

}  // namespace

void initialRanges(WorkRow& row) {
    for (int j = 0; j < row.length; ++j) {
        const char c = row.text[j];
        if (isDigit(c)) {
            row.ranges[j] = DigitRange{c - '0', c - '0'};
        } else {
            row.ranges[j] = DigitRange{9, j == 0 ? 1 : 0};
        }
    }
}

int propagateBounds(PuzzleState& state) {
    assert(state.work.rows[kQuotientRow].length >= 1);
    return Propagation(state).run();
}

}  // namespace varnokit
