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
        if (!settleLastDigits(r)) return;
        const LetterBindings before = letters_;
        split(quotient, r);
        letters_ = before;
    }

    // A '*' that takes any digit: no condition.
    bool freeCell(char cell) const { return cell == '*' && rules_.condition < 0; }

    // The rows whose value is r plus a constant (shift 0: the dividend, the
    // remainder, R_(q-1)) have their last digits fixed by r's last digits
    // alone. Where such a row has given digits (or '*' that avoid the
    // condition) among its last few cells, the remainders' last t digits
    // that fit them all are worked out once, digit by digit from the right,
    // and those cells need no splitting: the final listing keeps only the
    // remainders with those last digits. Letters there are split as before.
    // False when no ending fits.
    bool settleLastDigits(const Interval& r) {
        constexpr int kMostDigits = 3;
        int t = 0;
        for (int i = 0; i < count_; ++i) {
            const WorkRow& row = *dependent_[i].row;
            if (dependent_[i].shift != 0) continue;
            for (int place = 0; place < kMostDigits && place < row.length; ++place) {
                const char cell = row.text[row.length - 1 - place];
                if (!freeCell(cell) && !isLetterCell(cell)) t = std::max(t, place + 1);
            }
        }
        // Only where the interval is wide enough to be worth it.
        while (t > 0 && r.hi - r.lo < tenTo<V>(t + 1)) --t;
        endingDigits_ = t;
        endingCount_ = 1;
        endings_[0] = 0;
        for (int place = 0; place < t; ++place) {
            int next = 0;
            const V unit = tenTo<V>(place);
            for (int d = 0; d <= 9; ++d) {
                for (int e = 0; e < endingCount_; ++e) {
                    const V ending = endings_[e] + d * unit;
                    if (endingFits(ending, place)) scratch_[next++] = static_cast<int32_t>(ending);
                }
            }
            std::copy(scratch_, scratch_ + next, endings_);
            endingCount_ = next;
        }
        for (int i = 0; i < count_; ++i) {
            const WorkRow& row = *dependent_[i].row;
            const int settled = dependent_[i].shift == 0 ? t : 0;  // last cells the endings settle
            int last = row.length - 1;
            while (last >= 0 && (freeCell(row.text[last]) ||
                                 (row.length - 1 - last < settled && !isLetterCell(row.text[last]))))
                --last;
            lastToSplit_[i] = last;
        }
        return endingCount_ > 0;
    }

    // Whether the digit at `place` of every shift-0 row fits its cell when
    // r ends in `ending` (letters are left to the splitting).
    bool endingFits(V ending, int place) const {
        for (int i = 0; i < count_; ++i) {
            const RowOfR& f = dependent_[i];
            if (f.shift != 0 || place >= f.row->length) continue;
            const char cell = f.row->text[f.row->length - 1 - place];
            if (isLetterCell(cell)) continue;
            const int digit = static_cast<int>(((f.a + f.b + ending) / tenTo<V>(place)) % 10);
            if (cell == '*' ? digit == rules_.condition : digit != cell - '0') return false;
        }
        return true;
    }

    // Settles the rows over r. Every row is narrowed and its shared leading
    // digits matched; then the row whose first varying digit is the most
    // significant one that a cell constrains (or, failing that, the most
    // significant varying digit of a row still to settle, see
    // settleLastDigits) is split by that digit, each allowed digit ascending
    // giving a smaller interval. When no row is left to settle, each
    // remainder of r with a fitting ending is a solution.
    void split(V quotient, Interval r) {
        int best = -1;
        int bestShared = 0;
        int bestRank = -1;  // 100 + place for a constrained cell, place for a free one
        for (int i = 0; i < count_; ++i) {
            int shared = 0;
            if (!constrain(dependent_[i], r, &shared)) return;
            if (shared > lastToSplit_[i]) continue;
            const WorkRow& row = *dependent_[i].row;
            const int rank = (freeCell(row.text[shared]) ? 0 : 100) + row.length - 1 - shared;
            if (rank > bestRank) {
                best = i;
                bestShared = shared;
                bestRank = rank;
            }
        }
        if (best >= 0) {
            const RowOfR& f = dependent_[best];
            const WorkRow& row = *f.row;
            const char cell = row.text[bestShared];
            const V head = f.at(r.lo) / tenTo<V>(row.length - bestShared);  // the shared digits
            const V unit = tenTo<V>(row.length - bestShared - 1);
            for (int d = 0; d <= 9; ++d) {
                if (isDigitCell(cell) && d != cell - '0') continue;
                if (!steps_.step()) return;
                const LetterBindings before = letters_;
                if (cellTakes(rules_, cell, d, letters_)) {
                    const V lo = (head * 10 + d) * unit;
                    const Interval part = r.meet(f.inverse(lo, lo + unit - 1));
                    if (!part.empty()) split(quotient, part);
                }
                letters_ = before;
            }
            return;
        }
        // Ascending: block by block of 10^t, each block's fitting endings in order.
        const V modulus = tenTo<V>(endingDigits_);
        for (V block = r.lo - r.lo % modulus; block <= r.hi; block += modulus) {
            for (int e = 0; e < endingCount_; ++e) {
                const V x = block + endings_[e];
                if (x < r.lo) continue;
                if (x > r.hi) break;
                if (!steps_.step()) return;
                steps_.found(quotient, x);
            }
        }
    }

    const WorkRecord& work_;
    LetterBindings& letters_;
    const CellRules rules_;
    Steps& steps_;
    const int q_;
    V divisor_ = 0;
    RowOfR dependent_[kMaxQuotientDigits + 2];  // rows that depend on r, for one quotient
    int lastToSplit_[kMaxQuotientDigits + 2] = {};  // per row: its last cell the splitting settles
    int count_ = 0;
    // The endings r may have: its last `endingDigits_` digits, ascending.
    int endingDigits_ = 0;
    int endingCount_ = 0;
    int32_t endings_[1000];
    int32_t scratch_[1000];
};

}  // namespace varnokit
