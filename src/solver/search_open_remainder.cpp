// The reference search's quotient phase when the final remainder is open
// (written with '*' or mask letters). The quotient digits are chosen from the
// right exactly as with a known remainder; the remainder r is not chosen
// first but kept as the interval of values that every row matched so far
// allows. Each row above is a non-decreasing function of r, so narrowing by a
// row's least and greatest fitting values keeps an interval, and the digits
// all its values share can be matched (binding letters) at once. With the
// whole quotient known, the interval is split by the rows' remaining digits,
// ascending, down to the remainders that fit: solutions come out by divisor,
// then the quotient read from the right, then the remainder ascending.
#include <algorithm>

#include "solver/cell_rules.h"
#include "solver/search.h"

namespace varnokit {
namespace {

struct Interval {
    Int128 lo;
    Int128 hi;
    bool empty() const { return lo > hi; }
    Interval meet(const Interval& other) const { return {std::max(lo, other.lo), std::min(hi, other.hi)}; }
};

// A row whose value, for final remainder r, is (a + r) / 10^shift + b.
// R_k is D*q_k plus the remainder left after digit k, and that remainder is
// (D * (the quotient's digits after k) + r) / 10^(q-1-k); the dividend is
// D*Q + r and the remainder row r itself.
struct RowOfRemainder {
    const WorkRow* row = nullptr;
    Int128 a = 0;
    int shift = 0;
    Int128 b = 0;

    Int128 at(Int128 r) const { return (a + r) / pow10(shift) + b; }
    // The remainders for which the row's value lies in [lo, hi].
    Interval inverse(Int128 lo, Int128 hi) const {
        return {(lo - b) * pow10(shift) - a, (hi - b + 1) * pow10(shift) - 1 - a};
    }
};

// Decimal digits of a non-negative value, most significant first; returns
// their count.
int digitsOf(Int128 value, int (&out)[40]) {
    int reversed[40];
    int count = 0;
    do {
        reversed[count++] = static_cast<int>(value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = 0; i < count; ++i) out[i] = reversed[count - 1 - i];
    return count;
}

class OpenRemainderSearch {
public:
    OpenRemainderSearch(SearchContext& context, Int128 divisor)
        : context_(context),
          state_(context.state),
          rows_(context.state.work.rows),
          q_(rows_[kQuotientRow].length),
          rules_(cellRules(context)),
          divisor_(divisor) {}

    void run() {
        const RowOfRemainder remainder{&rows_[kRemainderRow], 0, 0, 0};
        Interval r{0, divisor_ - 1};  // every remainder is below the divisor
        const LetterBindings before = state_.letters;
        if (constrain(remainder, r)) quotientStep(q_ - 1, 0, r);
        state_.letters = before;
        rows_[kRemainderRow].value = 0;
    }

private:
    /* --- Rows against an interval of remainders --- */

    // Least and greatest values of exactly the row's length that its cells
    // and digit ranges allow (a letter bound now counts as its digit).
    bool rowBounds(const WorkRow& row, Int128& lo, Int128& hi) const {
        lo = 0;
        hi = 0;
        for (int j = 0; j < row.length; ++j) {
            const char cell = row.text[j];
            int low = row.ranges[j].lo;
            int high = row.ranges[j].hi;
            if (isDigitCell(cell)) {
                low = high = cell - '0';
            } else if (isLetterCell(cell) && state_.letters.letter[cell - 'A'] >= 0) {
                low = high = state_.letters.letter[cell - 'A'];
            }
            if (low > high) return false;
            lo = lo * 10 + low;
            hi = hi * 10 + high;
        }
        if (row.length > 1) lo = std::max(lo, pow10(row.length - 1));
        hi = std::min(hi, pow10(row.length) - 1);
        return lo <= hi;
    }

    bool matchCells(const WorkRow& row, const int* digits, int from, int to) {
        for (int j = from; j < to; ++j) {
            if (!cellTakes(rules_, row.text[j], digits[j], state_.letters)) return false;
        }
        return true;
    }

    // Narrows r to the remainders for which the row can fit, and matches the
    // leading digits all of them share. `shared` receives how many that is
    // (the row's length when its value no longer depends on r). False when
    // no remainder is left or a shared digit does not fit; letters bound on
    // the way stay bound (the caller restores them).
    bool constrain(const RowOfRemainder& f, Interval& r, int* shared = nullptr) {
        const WorkRow& row = *f.row;
        Int128 lo = 0;
        Int128 hi = 0;
        if (!rowBounds(row, lo, hi)) return false;
        r = r.meet(f.inverse(lo, hi));
        if (r.empty()) return false;
        int low[40];
        int high[40];
        digitsOf(f.at(r.lo), low);
        digitsOf(f.at(r.hi), high);
        int j = 0;
        while (j < row.length && low[j] == high[j]) ++j;
        if (shared) *shared = j;
        return matchCells(row, low, 0, j);
    }

    /* --- Quotient digits, from the right --- */

    void quotientStep(int k, Int128 quotientSoFar, Interval r) {
        if (k < 0) return;
        if (k == context_.progressLevel - 100) progressCheck(context_);
        const WorkRecord& work = state_.work;
        const QuotientChoice choice =
            quotientChoice(rules_, work, k, starQuotientSpan(work, k, divisor_), state_.letters);
        if (choice.kind == QuotientChoice::Kind::Zero) {
            if (choice.freeLetter >= 0) bindLetter(state_.letters, choice.freeLetter, 0);
            zeroStep(k, quotientSoFar, r);
            if (choice.freeLetter >= 0) unbindLetter(state_.letters, choice.freeLetter);
            return;
        }
        for (int v = choice.first; v <= choice.last; ++v) {
            if (!quotientDigitFits(rules_, choice, v, state_.letters)) continue;
            tryDigit(k, quotientSoFar, r, v, choice.freeLetter);
        }
    }

    void countNode() {
        if ((++context_.stats.nodes & 0x3FF) == 0) pollInput(context_);
    }

    // A zero digit brings down one more dividend digit: nothing to match.
    void zeroStep(int k, Int128 quotientSoFar, Interval r) {
        countNode();
        quotientStep(k - 1, quotientSoFar, r);
    }

    // Tries nonzero digit v at index k; `letter` is the unbound letter there, or -1.
    void tryDigit(int k, Int128 quotientSoFar, Interval r, int v, int letter) {
        countNode();
        WorkRow& productRow = rows_[partialProductRow(k)];
        const LetterBindings beforeDigit = state_.letters;
        if (letter >= 0) bindLetter(state_.letters, letter, v);
        const Int128 product = divisor_ * v;
        if (matchRow(context_, product, productRow) == 0) {
            productRow.value = product;
            const Int128 quotient = quotientSoFar + v * pow10(q_ - 1 - k);
            if (k == 0) {
                completeQuotient(quotient, r);
            } else {
                const RowOfRemainder difference{&rows_[differenceRow(k)], divisor_ * quotientSoFar, q_ - 1 - k,
                                                product};
                if (constrain(difference, r)) quotientStep(k - 1, quotient, r);
            }
        }
        state_.letters = beforeDigit;
    }

    /* --- The remainders of one full quotient --- */

    void completeQuotient(Int128 quotient, Interval r) {
        count_ = 0;
        Int128 rest = quotient;
        for (int k = q_ - 1; k >= 1; --k) {
            const int digit = static_cast<int>(rest % 10);
            rest /= 10;
            if (rows_[partialProductRow(k)].length == 0) continue;
            const Int128 after = quotient % pow10(q_ - 1 - k);  // the digits after k, in place
            dependent_[count_++] = {&rows_[differenceRow(k)], divisor_ * after, q_ - 1 - k, divisor_ * digit};
        }
        dependent_[count_++] = {&rows_[kDividendRow], divisor_ * quotient, 0, 0};
        dependent_[count_++] = {&rows_[kRemainderRow], 0, 0, 0};
        const LetterBindings before = state_.letters;
        split(quotient, r, 0);
        state_.letters = before;
    }

    // Settles rows `from` onward over r: a row whose remaining digits vary
    // with r and are not all free '*' is split by its first varying digit,
    // each allowed digit ascending giving a smaller interval. When every row
    // is settled, each remainder of r is a solution (acceptSolution checks it
    // once more).
    void split(Int128 quotient, Interval r, int from) {
        for (int i = from; i < count_; ++i) {
            const RowOfRemainder& f = dependent_[i];
            int shared = 0;
            if (!constrain(f, r, &shared)) return;
            const WorkRow& row = *f.row;
            if (shared == row.length || freeFrom(row, shared)) continue;

            const Int128 head = f.at(r.lo) / pow10(row.length - shared);  // the shared digits
            const Int128 unit = pow10(row.length - shared - 1);
            for (int d = 0; d <= 9; ++d) {
                countNode();
                const LetterBindings before = state_.letters;
                if (cellTakes(rules_, row.text[shared], d, state_.letters)) {
                    const Int128 lo = (head * 10 + d) * unit;
                    const Interval part = r.meet(f.inverse(lo, lo + unit - 1));
                    if (!part.empty()) split(quotient, part, i);
                }
                state_.letters = before;
            }
            return;
        }
        for (Int128 x = r.lo; x <= r.hi; ++x) {
            countNode();
            rows_[kRemainderRow].value = x;
            acceptSolution(context_, divisor_, quotient);
        }
    }

    // Whether every cell from `j` on accepts any digit ('*' with no condition).
    bool freeFrom(const WorkRow& row, int j) const {
        if (state_.conditionDigit >= 0) return false;
        for (; j < row.length; ++j) {
            if (row.text[j] != '*') return false;
        }
        return true;
    }

    SearchContext& context_;
    PuzzleState& state_;
    WorkRow* rows_;
    const int q_;
    const CellRules rules_;
    const Int128 divisor_;
    RowOfRemainder dependent_[kMaxQuotientDigits + 2];  // rows that depend on r, for one quotient
    int count_ = 0;
};

}  // namespace

void searchOpenRemainder(SearchContext& context, Int128 divisor) {
    OpenRemainderSearch(context, divisor).run();
}

}  // namespace varnokit
