// Filling the records of a hand-built solved puzzle.
#include "analysis/solved_state.h"

#include <cassert>
#include <cstring>

namespace varnokit::testing {
namespace {

void setRow(WorkRow& row, const std::string& text) {
    assert(text.size() < sizeof row.text);
    std::memset(row.text, 0, sizeof row.text);
    std::memcpy(row.text, text.data(), text.size());
    row.length = static_cast<int32_t>(text.size());
}

std::string trimBlanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

std::unique_ptr<PuzzleState> solvedState(const Layout& layout,
                                         const std::vector<std::pair<int64_t, int64_t>>& solutions) {
    auto state = std::make_unique<PuzzleState>();
    const std::string& fixedQuotient = layout.fixedQuotient.empty() ? layout.quotient : layout.fixedQuotient;
    const std::string remainder = std::to_string(layout.remainder);
    setRow(state->problem.rows[kDivisorRow], layout.divisor);
    setRow(state->problem.rows[kQuotientRow], layout.quotient);
    setRow(state->problem.rows[kDividendRow], layout.dividend);
    setRow(state->problem.rows[kRemainderRow], remainder);
    setRow(state->work.rows[kDivisorRow], layout.divisor);
    setRow(state->work.rows[kQuotientRow], fixedQuotient);
    setRow(state->work.rows[kDividendRow], layout.dividend);
    setRow(state->work.rows[kRemainderRow], remainder);
    state->problem.rows[kRemainderRow].value = layout.remainder;
    state->work.rows[kRemainderRow].value = layout.remainder;
    for (std::size_t u = 0; u < layout.interior.size(); ++u) {
        setRow(state->problem.rows[kFirstInteriorRow + u], layout.interior[u]);
        setRow(state->work.rows[kFirstInteriorRow + u], trimBlanks(layout.interior[u]));
    }
    state->solutions.beginSearch(state->work);
    for (auto [divisor, quotient] : solutions) state->solutions.append(divisor, quotient);
    return state;
}

}  // namespace varnokit::testing
