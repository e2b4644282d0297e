// The reference search: the divisor digit by digit from the left, then the
// quotient digits from the right, rebuilding each partial product and the
// difference row above it and matching them as soon as they are known.
#include <algorithm>
#include <cassert>

#include "solver/search.h"

namespace varnokit {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

class ReferenceSearch {
public:
    explicit ReferenceSearch(SearchContext& context)
        : context_(context),
          state_(context.state),
          rows_(context.state.work.rows),
          s_(rows_[kDivisorRow].length),
          q_(rows_[kQuotientRow].length) {}

    // divisorSoFar: the divisor digits chosen so far; quotientSoFar: the
    // quotient digits chosen so far, in place; carried: the remainder left
    // after the current quotient digit. The first call resets the cursors.
    void searchAssignments(Int128 divisorSoFar, Int128 quotientSoFar, Int128 carried,
                           bool& firstCall) {
        if (firstCall) {
            firstCall = false;
            divisorPosition_ = 0;
            quotientIndex_ = q_ - 1;
        }
        if (divisorPosition_ < s_) {
            divisorStep(divisorSoFar, firstCall);
        } else {
            quotientStep(divisorSoFar, quotientSoFar, carried, firstCall);
        }
    }

private:
    /* --- Phase 1: the divisor --- */

    void divisorStep(Int128 divisorSoFar, bool& firstCall) {
        const int p = divisorPosition_;
        if (p == context_.progressLevel) progressCheck(context_);
        const char cell = rows_[kDivisorRow].text[p];
        const DigitRange range = rows_[kDivisorRow].ranges[p];
        divisorPosition_ = p + 1;
        if (isDigit(cell)) {
            nextDivisorDigit(divisorSoFar, cell - '0', firstCall);
        } else if (cell == '*') {
            for (int v = range.lo; v <= range.hi; ++v) {
                if (v == state_.conditionDigit) continue;
                nextDivisorDigit(divisorSoFar, v, firstCall);
            }
        } else {
            const int letter = cell - 'A';
            const int bound = state_.letters.letter[letter];
            if (bound >= 0) {
                nextDivisorDigit(divisorSoFar, bound, firstCall);
            } else {
                // A letter may stand for the condition digit unless it shares
                // a cell typed as '*'.
                const bool avoid = context_.letterAvoidsCondition[letter];
                for (int v = range.lo; v <= range.hi; ++v) {
                    if (state_.letters.taken[v] == 1) continue;
                    if (avoid && v == state_.conditionDigit) continue;
                    state_.letters.letter[letter] = v;
                    state_.letters.taken[v] = 1;
                    nextDivisorDigit(divisorSoFar, v, firstCall);
                    state_.letters.taken[v] = -1;
                    state_.letters.letter[letter] = -1;
                }
            }
        }
        divisorPosition_ = p;
    }

    void nextDivisorDigit(Int128 divisorSoFar, int v, bool& firstCall) {
        countNode();
        searchAssignments(divisorSoFar * 10 + v, 0, 0, firstCall);
    }

    /* --- Phase 2: the quotient, from the right --- */

    void quotientStep(Int128 divisor, Int128 quotientSoFar, Int128 carried, bool& firstCall) {
        const int k = quotientIndex_;
        if (k < 0) return;
        if (k == q_ - 1) {
            rows_[kDivisorRow].value = divisor;
            quotientSoFar = 0;
            carried = rows_[kRemainderRow].value;
        }
        if (k == context_.progressLevel - 100) progressCheck(context_);
        // Every remainder of the division is below the divisor; with a final
        // remainder that is not, this divisor has no solution.
        if (k == q_ - 1 && carried >= divisor) return;

        const WorkRow& product = rows_[partialProductRow(k)];
        const bool written = product.length > 0;  // quotient digit k is 0 exactly when unwritten
        const char cell = rows_[kQuotientRow].text[k];
        const DigitRange range = rows_[kQuotientRow].ranges[k];

        int fixed = -1;  // the digit of a typed or bound cell
        if (isDigit(cell)) fixed = cell - '0';
        const bool isLetter = cell >= 'A' && cell < 'A' + kMaskLetters;
        if (isLetter && state_.letters.letter[cell - 'A'] >= 0) fixed = state_.letters.letter[cell - 'A'];

        if (fixed >= 0) {
            if (!written && fixed == 0) zeroStep(divisor, quotientSoFar, carried, firstCall);
            if (written && fixed != 0) tryDigit(divisor, quotientSoFar, carried, fixed, -1, firstCall);
            return;
        }
        if (cell == '*') {
            if (!written) {
                if (state_.conditionDigit != 0) zeroStep(divisor, quotientSoFar, carried, firstCall);
                return;
            }
            int low = 1;
            int high = 9;
            const Int128 scale = pow10(product.length - 1);
            if (product.length > s_) {
                low = clampDigit((product.ranges[0].lo * scale) / divisor);
            } else {
                high = clampDigit(((product.ranges[0].hi + 1) * scale - 1) / divisor);
            }
            high = std::min(high, range.hi);
            low = std::max({low, range.lo, 1});
            for (int v = low; v <= high; ++v) {
                if (v == state_.conditionDigit) continue;
                tryDigit(divisor, quotientSoFar, carried, v, -1, firstCall);
            }
            return;
        }
        assert(isLetter);
        const int letter = cell - 'A';
        const bool avoid = context_.letterAvoidsCondition[letter];
        if (!written) {
            // An unwritten step is the digit 0, so the letter must be 0.
            if (state_.letters.taken[0] == 1 || (avoid && state_.conditionDigit == 0)) return;
            const LetterBindings snapshot = state_.letters;
            state_.letters.letter[letter] = 0;
            state_.letters.taken[0] = 1;
            zeroStep(divisor, quotientSoFar, carried, firstCall);
            state_.letters = snapshot;
            return;
        }
        for (int v = std::max(range.lo, 1); v <= range.hi; ++v) {
            if (state_.letters.taken[v] == 1) continue;
            if (avoid && v == state_.conditionDigit) continue;
            tryDigit(divisor, quotientSoFar, carried, v, letter, firstCall);
        }
    }

    // Every 1024 nodes the user's input gets a chance to run (see pollInput).
    void countNode() {
        if ((++context_.stats.nodes & 0x3FF) == 0) pollInput(context_);
    }

    static int clampDigit(Int128 v) {
        if (v > 10) return 10;
        if (v < -1) return -1;
        return static_cast<int>(v);
    }

    // A zero quotient digit brings down one more dividend digit.
    void zeroStep(Int128 divisor, Int128 quotientSoFar, Int128 carried, bool& firstCall) {
        countNode();
        const int k = quotientIndex_;
        quotientIndex_ = k - 1;
        searchAssignments(divisor, quotientSoFar, carried / 10, firstCall);
        quotientIndex_ = k;
    }

    // Tries digit v (nonzero) at quotient index k; `letter` is the unbound
    // letter standing there, or -1.
    void tryDigit(Int128 divisor, Int128 quotientSoFar, Int128 carried, int v, int letter,
                  bool& firstCall) {
        countNode();
        const int k = quotientIndex_;
        WorkRow& productRow = rows_[partialProductRow(k)];
        const LetterBindings beforeDigit = state_.letters;
        if (letter >= 0) {
            state_.letters.letter[letter] = v;
            state_.letters.taken[v] = 1;
        }
        const Int128 product = divisor * v;
        if (matchRow(context_, product, productRow) == 0) {
            productRow.value = product;
            const Int128 quotient = quotientSoFar + v * pow10(q_ - 1 - k);
            const LetterBindings beforeRest = state_.letters;
            if (k == 0) {
                acceptSolution(context_, divisor, quotient);
            } else {
                WorkRow& differenceRowRef = rows_[differenceRow(k)];
                const Int128 difference = product + carried;
                if (matchRow(context_, difference, differenceRowRef) == 0) {
                    differenceRowRef.value = difference;
                    quotientIndex_ = k - 1;
                    searchAssignments(divisor, quotient, difference / 10, firstCall);
                    quotientIndex_ = k;
                }
            }
            state_.letters = beforeRest;
        }
        state_.letters = beforeDigit;
    }

    SearchContext& context_;
    PuzzleState& state_;
    WorkRow* rows_;
    const int s_;
    const int q_;
    int divisorPosition_ = 0;  // cursor of phase 1
    int quotientIndex_ = 0;    // cursor of phase 2
};

}  // namespace

void searchReference(SearchContext& context) {
    bool firstCall = true;
    ReferenceSearch(context).searchAssignments(0, 0, 0, firstCall);
}

}  // namespace varnokit
