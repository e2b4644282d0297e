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

    // An open remainder (hidden cells) is one more row to match; the search
    // has written the value it chose into the remainder row.
    const bool open = remainderIsOpen(context.state.work);
    const LetterBindings saved = context.state.letters;
    const bool fits = matchRow(context, dividend, rows[kDividendRow]) == 0 &&
                      (!open || matchRow(context, remainder, rows[kRemainderRow]) == 0);
    context.state.letters = saved;
    if (!fits) return false;

    storeSolution(context, divisor, quotient);
    return true;
}

void storeSolution(SearchContext& context, Int128 divisor, Int128 quotient) {
    SolutionList& list = context.state.solutions;
    if (list.full()) throw SolutionLimitReached{false};
    // An open remainder is stored with each solution: the value the search
    // wrote into the remainder row.
    const bool stored =
        remainderIsOpen(context.state.work)
            ? list.append(static_cast<int64_t>(divisor), static_cast<int64_t>(quotient),
                          static_cast<int64_t>(context.state.work.rows[kRemainderRow].value))
            : list.append(static_cast<int64_t>(divisor), static_cast<int64_t>(quotient));
    if (!stored) throw SolutionLimitReached{true};
    ++context.stats.solutions;
    // The clock is read for the first solution and every 256th after it.
    const int64_t count = list.count();
    if (count == 1 || count % 256 == 0) refreshSolutionCount(context);
    if (context.stopAfter > 0 && count >= context.stopAfter) throw EnoughSolutions{};
}

void refreshSolutionCount(SearchContext& context) {
    const int64_t count = context.state.solutions.count();
    if (count == context.countShown) return;
    const auto now = std::chrono::steady_clock::now();
    if (context.countShown > 0 && now - context.countShownAt < kCountRefreshInterval) return;
    context.hooks.showSolutionCount(count);
    context.countShown = count;
    context.countShownAt = now;
}

}  // namespace varnokit
