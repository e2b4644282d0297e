// Matching a row value against its pattern, binding mask letters.
#include "solver/cell_rules.h"
#include "solver/search.h"

namespace varnokit {

CellRules cellRules(const SearchContext& context) {
    return CellRules{context.state.conditionDigit, context.letterAvoidsCondition};
}

int matchRow(SearchContext& context, Int128 value, const WorkRow& row) {
    if (value == 0 && row.length == 0) return 0;
    if (value < 0 || decimalLength(value) != row.length) return 1;
    int8_t digits[40];
    decimalDigits(value, row.length, digits);
    const CellRules rules = cellRules(context);
    for (int j = 0; j < row.length; ++j) {
        if (!cellTakes(rules, row.text[j], digits[j], context.state.letters)) return 1;
    }
    return 0;
}

}  // namespace varnokit
