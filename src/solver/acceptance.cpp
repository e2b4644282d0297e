// The acceptance step: the dividend of a complete assignment is matched
// against its pattern, and a fitting assignment is stored.
#include "solver/search.h"

namespace varnokit {

bool acceptSolution(SearchContext& context, Int128 divisor, Int128 quotient) {
    WorkRow* rows = context.state.work.rows;
    const Int128 remainder = rows[kRemainderRow].value;
    const Int128 dividend = divisor * quotient + remainder;
    rows[kDividendRow].value = dividend;
    rows[kQuotientRow].value = quotient;
    rows[kDivisorRow].value = divisor;

    // A remainder that is not smaller than the divisor is no long division,
    // however well the rows match: 7 ÷ 3 cannot be written as 1 remainder 4.
    if (remainder >= divisor) return false;

    const LetterBindings saved = context.state.letters;
    const bool fits = matchRow(context, dividend, rows[kDividendRow]) == 0;
    context.state.letters = saved;
    if (!fits) return false;

    SolutionList& list = context.state.solutions;
    if (list.full()) throw SolutionLimitReached{};
    list.append(static_cast<int64_t>(divisor), static_cast<int64_t>(quotient));
    ++context.stats.solutions;
    context.hooks.showSolutionCount(list.count());
    return true;
}

}  // namespace varnokit
