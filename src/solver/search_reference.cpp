// The reference search: the divisor digit by digit from the left, then the
// quotient digits from the right, rebuilding each partial product and the
// difference row above it and matching them as soon as they are known.
#include "solver/cell_rules.h"
#include "solver/search.h"

namespace varnokit {
namespace {

class ReferenceSearch {
public:
    explicit ReferenceSearch(SearchContext& context)
        : context_(context),
          state_(context.state),
          rows_(context.state.work.rows),
          s_(rows_[kDivisorRow].length),
          q_(rows_[kQuotientRow].length),
          rules_(cellRules(context)),
          openRemainder_(remainderIsOpen(context.state.work)) {}

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
        const DivisorChoice choice = divisorChoice(cell, rows_[kDivisorRow].ranges[p], state_.letters);
        divisorPosition_ = p + 1;
        for (int v = choice.first; v <= choice.last; ++v) {
            if (!divisorDigitFits(rules_, cell, choice, v, state_.letters)) continue;
            if (choice.freeLetter >= 0) bindLetter(state_.letters, choice.freeLetter, v);
            countNode();
            searchAssignments(divisorSoFar * 10 + v, 0, 0, firstCall);
            if (choice.freeLetter >= 0) unbindLetter(state_.letters, choice.freeLetter);
        }
        divisorPosition_ = p;
    }

    /* --- Phase 2: the quotient, from the right --- */

    void quotientStep(Int128 divisor, Int128 quotientSoFar, Int128 carried, bool& firstCall) {
        const int k = quotientIndex_;
        if (k < 0) return;
        if (k == q_ - 1) {
            rows_[kDivisorRow].value = divisor;
            if (openRemainder_) {
                searchOpenRemainder(context_, divisor);
                return;
            }
            quotientSoFar = 0;
            carried = rows_[kRemainderRow].value;
        }
        if (k == context_.progressLevel - 100) progressCheck(context_);
        // Every remainder of the division is below the divisor; with a final
        // remainder that is not, this divisor has no solution.
        if (k == q_ - 1 && carried >= divisor) return;

        const WorkRecord& work = state_.work;
        const QuotientChoice choice =
            quotientChoice(rules_, work, k, starQuotientSpan(work, k, divisor), state_.letters);
        if (choice.kind == QuotientChoice::Kind::Zero) {
            if (choice.freeLetter >= 0) bindLetter(state_.letters, choice.freeLetter, 0);
            zeroStep(divisor, quotientSoFar, carried, firstCall);
            if (choice.freeLetter >= 0) unbindLetter(state_.letters, choice.freeLetter);
            return;
        }
        for (int v = choice.first; v <= choice.last; ++v) {
            if (!quotientDigitFits(rules_, choice, v, state_.letters)) continue;
            tryDigit(divisor, quotientSoFar, carried, v, choice.freeLetter, firstCall);
        }
    }

    // Every 1024 nodes the user's input gets a chance to run (see pollInput).
    void countNode() {
        if ((++context_.stats.nodes & 0x3FF) == 0) pollInput(context_);
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
        if (letter >= 0) bindLetter(state_.letters, letter, v);
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
    const CellRules rules_;
    const bool openRemainder_;  // the remainder has hidden cells: see searchOpenRemainder
    int divisorPosition_ = 0;  // cursor of phase 1
    int quotientIndex_ = 0;    // cursor of phase 2
};

}  // namespace

void searchReference(SearchContext& context) {
    bool firstCall = true;
    ReferenceSearch(context).searchAssignments(0, 0, 0, firstCall);
}

}  // namespace varnokit
