// The quotient phase of a search when the final remainder is open (written
// with '*' or mask letters), shared by the reference search and the fast
// engine's ordered search so that both accept the same solutions in the same
// order. For one divisor the quotient digits are chosen from the right by the
// same cell rules as with a known remainder; the remainder r is not chosen
// first but kept as the interval of values that every row matched so far
// allows. Each row above is a non-decreasing function of r, so narrowing by a
// row's least and greatest fitting values keeps an interval, and the leading
// digits all its values share can be matched (binding letters) at once. With
// the whole quotient known, the interval is split by the rows' remaining
// digits, ascending, down to the remainders that fit: solutions come out by
// the quotient read from the right, then the remainder ascending.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "model/numbers.h"
#include "model/work_record.h"
#include "solver/cell_rules.h"

namespace varnokit {

// The signed type the interval arithmetic runs in: a search in 64 bits
// (every value below 10^18) gets int64_t, one in 128 bits Int128.
template <typename Number>
using OpenValue = std::conditional_t<sizeof(Number) == sizeof(Int128), Int128, int64_t>;

// What the quotient phase asks of the search that runs it:
//   bool step()                      counts a step; false stops the phase (a probe's cap)
//   void atQuotient(int k)           reached quotient index k (the progress check)
//   bool allows(int k, int v)        digit v may be tried at quotient index k
//   void found(V quotient, V r)      a solution, its letters bound
template <typename V, typename Steps>
class OpenRemainderQuotients {
public:
    OpenRemainderQuotients(const WorkRecord& work, LetterBindings& letters, const CellRules& rules, Steps& steps)
        : work_(work),
          letters_(letters),
          rules_(rules),
          steps_(steps),
          q_(work.rows[kQuotientRow].length) {}

    // Every quotient and remainder of `divisor`, in the reference order.
    // Letters bound on the way are unbound again before it returns.
    void search(V divisor) {
        divisor_ = divisor;
        const RowOfR remainder{&work_.rows[kRemainderRow], 0, 0, 0};
        Interval r{0, divisor - 1};  // every remainder is below the divisor
        const LetterBindings before = letters_;
        if (constrain(remainder, r)) quotientStep(q_ - 1, 0, r);
        letters_ = before;
    }

private:
    struct Interval {
        V lo;
        V hi;
        bool empty() const { return lo > hi; }
        Interval meet(const Interval& other) const { return {std::max(lo, other.lo), std::min(hi, other.hi)}; }
    };

    // A row whose value for remainder r is (a + r) / 10^shift + b. R_k is
    // D*q_k plus the remainder left after digit k, which is (D * (the
    // quotient's digits after k) + r) / 10^(q-1-k); the dividend is D*Q + r
    // and the remainder row r itself.
    struct RowOfR {
        const WorkRow* row = nullptr;
        V a = 0;
        int shift = 0;
        V b = 0;

        V at(V r) const { return (a + r) / tenTo<V>(shift) + b; }
        // The remainders for which the row's value lies in [lo, hi].
        Interval inverse(V lo, V hi) const {
            return {(lo - b) * tenTo<V>(shift) - a, (hi - b + 1) * tenTo<V>(shift) - 1 - a};
        }
    };

    static void digitsOf(V value, int length, int8_t* out) {
        if constexpr (sizeof(V) == sizeof(Int128)) {
            decimalDigits(value, length, out);
        } else {
            decimalDigits(static_cast<uint64_t>(value), length, out);
        }
    }

    /* --- Rows against an interval of remainders --- */

    // Least and greatest values of exactly the row's length that its cells
    // and digit ranges allow (a letter bound now counts as its digit).
    bool rowBounds(const WorkRow& row, V& lo, V& hi) const {
        lo = 0;
        hi = 0;
        for (int j = 0; j < row.length; ++j) {
            const char cell = row.text[j];
            int low = row.ranges[j].lo;
            int high = row.ranges[j].hi;
            if (isDigitCell(cell)) {
                low = high = cell - '0';
            } else if (isLetterCell(cell) && letters_.letter[cell - 'A'] >= 0) {
                low = high = letters_.letter[cell - 'A'];
            }
            if (low > high) return false;
            lo = lo * 10 + low;
            hi = hi * 10 + high;
        }
        if (row.length > 1) lo = std::max(lo, tenTo<V>(row.length - 1));
        hi = std::min(hi, tenTo<V>(row.length) - 1);
        return lo <= hi;
    }

    // Narrows r to the remainders for which the row can fit, and matches the
    // leading digits all of them share. `shared` receives how many that is
    // (the row's length when its value no longer depends on r). False when
    // no remainder is left or a shared digit does not fit; letters bound on
    // the way stay bound (the caller restores them).
    bool constrain(const RowOfR& f, Interval& r, int* shared = nullptr) {
        const WorkRow& row = *f.row;
        V lo = 0;
        V hi = 0;
        if (!rowBounds(row, lo, hi)) return false;
        r = r.meet(f.inverse(lo, hi));
        if (r.empty()) return false;
        int8_t low[40];
        int8_t high[40];
        digitsOf(f.at(r.lo), row.length, low);
        digitsOf(f.at(r.hi), row.length, high);
        int j = 0;
        while (j < row.length && low[j] == high[j]) {
            if (!cellTakes(rules_, row.text[j], low[j], letters_)) return false;
            ++j;
        }
        if (shared) *shared = j;
        return true;
    }

    // matchRow's test of a value that does not depend on r.
    bool matches(const WorkRow& row, V value) {
        const V least = row.length == 1 ? 0 : tenTo<V>(row.length - 1);
        if (value < least || value >= tenTo<V>(row.length)) return false;
        int8_t digits[40];
        digitsOf(value, row.length, digits);
        for (int j = 0; j < row.length; ++j) {
            if (!cellTakes(rules_, row.text[j], digits[j], letters_)) return false;
        }
        return true;
    }

    /* --- Quotient digits, from the right --- */

    void quotientStep(int k, V quotientSoFar, Interval r) {
        if (k < 0) return;
        steps_.atQuotient(k);
        const QuotientChoice choice =
            quotientChoice(rules_, work_, k, starQuotientSpan(work_, k, divisor_), letters_);
        if (choice.kind == QuotientChoice::Kind::Zero) {
            // A zero digit brings down one more dividend digit: nothing to match.
            if (!steps_.allows(k, 0) || !steps_.step()) return;
            if (choice.freeLetter >= 0) bindLetter(letters_, choice.freeLetter, 0);
            quotientStep(k - 1, quotientSoFar, r);
            if (choice.freeLetter >= 0) unbindLetter(letters_, choice.freeLetter);
            return;
        }
        for (int v = choice.first; v <= choice.last; ++v) {
            if (!steps_.allows(k, v) || !quotientDigitFits(rules_, choice, v, letters_)) continue;
            if (!steps_.step()) return;
            tryDigit(k, quotientSoFar, r, v, choice.freeLetter);
        }
    }

    // Tries nonzero digit v at index k; `letter` is the unbound letter there, or -1.
    void tryDigit(int k, V quotientSoFar, Interval r, int v, int letter) {
        const WorkRow& productRow = work_.rows[partialProductRow(k)];
        const LetterBindings beforeDigit = letters_;
        if (letter >= 0) bindLetter(letters_, letter, v);
        const V product = divisor_ * v;
        if (matches(productRow, product)) {
            const V quotient = quotientSoFar + static_cast<V>(v) * tenTo<V>(q_ - 1 - k);
            if (k == 0) {
                completeQuotient(quotient, r);
            } else {
                const RowOfR difference{&work_.rows[differenceRow(k)], divisor_ * quotientSoFar, q_ - 1 - k, product};
                if (constrain(difference, r)) quotientStep(k - 1, quotient, r);
            }
        }
        letters_ = beforeDigit;
    }

    /* --- The remainders of one full quotient --- */

    void completeQuotient(V quotient, Interval r) {
        count_ = 0;
        V rest = quotient;
        for (int k = q_ - 1; k >= 1; --k) {
            const int digit = static_cast<int>(rest % 10);
            rest /= 10;
            if (work_.rows[partialProductRow(k)].length == 0) continue;
            const V after = quotient % tenTo<V>(q_ - 1 - k);  // the digits after k, in place
            dependent_[count_++] = {&work_.rows[differenceRow(k)], divisor_ * after, q_ - 1 - k, divisor_ * digit};
        }
        dependent_[count_++] = {&work_.rows[kDividendRow], divisor_ * quotient, 0, 0};
        dependent_[count_++] = {&work_.rows[kRemainderRow], 0, 0, 0};
        const LetterBindings before = letters_;
        split(quotient, r, 0);
        letters_ = before;
    }

    // Settles rows `from` onward over r: a row whose remaining digits vary
    // with r and are not all free '*' is split by its first varying digit,
    // each allowed digit ascending giving a smaller interval. When every row
    // is settled, each remainder of r is a solution.
    void split(V quotient, Interval r, int from) {
        for (int i = from; i < count_; ++i) {
            const RowOfR& f = dependent_[i];
            int shared = 0;
            if (!constrain(f, r, &shared)) return;
            const WorkRow& row = *f.row;
            if (shared == row.length || freeFrom(row, shared)) continue;

            const V head = f.at(r.lo) / tenTo<V>(row.length - shared);  // the shared digits
            const V unit = tenTo<V>(row.length - shared - 1);
            for (int d = 0; d <= 9; ++d) {
                if (!steps_.step()) return;
                const LetterBindings before = letters_;
                if (cellTakes(rules_, row.text[shared], d, letters_)) {
                    const V lo = (head * 10 + d) * unit;
                    const Interval part = r.meet(f.inverse(lo, lo + unit - 1));
                    if (!part.empty()) split(quotient, part, i);
                }
                letters_ = before;
            }
            return;
        }
        for (V x = r.lo; x <= r.hi; ++x) {
            if (!steps_.step()) return;
            steps_.found(quotient, x);
        }
    }

    // Whether every cell from `j` on accepts any digit ('*' with no condition).
    bool freeFrom(const WorkRow& row, int j) const {
        if (rules_.condition >= 0) return false;
        for (; j < row.length; ++j) {
            if (row.text[j] != '*') return false;
        }
        return true;
    }

    const WorkRecord& work_;
    LetterBindings& letters_;
    const CellRules rules_;
    Steps& steps_;
    const int q_;
    V divisor_ = 0;
    RowOfR dependent_[kMaxQuotientDigits + 2];  // rows that depend on r, for one quotient
    int count_ = 0;
};

}  // namespace varnokit
