// Reading each mask's digit off a stored solution: the first cell of the
// typed puzzle that holds the mask gives it.
#include "analysis/mask_table.h"

#include <memory>

#include "model/normaliser.h"
#include "model/solution_list.h"

namespace varnokit {
namespace {

// The rows a mask can stand in: divisor, quotient, dividend, remainder and
// the interior rows.
bool findDigit(const PuzzleState& state, const Int128 (&values)[kRowCount], char letter, int& digit) {
    const int q = state.work.rows[kQuotientRow].length;
    for (int row = 0; row < kFirstInteriorRow + 2 * q - 1; ++row) {
        const WorkRow& typed = state.problem.rows[row];
        const std::string value = toDecimal(values[row]);
        const int blanks = typed.length - static_cast<int>(value.size());  // a line's leading blanks
        if (values[row] == 0 || blanks < 0) continue;
        for (int p = 0; p < static_cast<int>(value.size()); ++p) {
            if (typed.text[blanks + p] != letter) continue;
            digit = value[static_cast<std::size_t>(p)] - '0';
            return true;
        }
    }
    return false;
}

// The full-width form the normaliser gives each ASCII byte that becomes a
// mask (its two bytes; zero for the bytes that do not), found once.
struct WideForms {
    char bytes[0x7E][2] = {};
    WideForms() {
        auto scratch = std::make_unique<PuzzleState>();
        for (int c = 0x21; c < 0x7E; ++c) {
            std::string one(1, static_cast<char>(c));
            bool reset = true;
            if (!normaliseLine(*scratch, one, reset) || scratch->maskCount != 1) continue;
            bytes[c][0] = scratch->masks.entries[0].bytes[0];
            bytes[c][1] = scratch->masks.entries[0].bytes[1];
        }
    }
};

// The typed form of a mask: the normaliser widens ASCII, so "a" and "ａ"
// share a mask kept as "ａ". Shown as typed when the puzzle has the
// half-width form of it.
std::string typedForm(const PuzzleState& state, const char (&wide)[2]) {
    static const WideForms forms;
    char narrow = 0;
    for (int c = 0x21; c < 0x7E && narrow == 0; ++c)
        if (forms.bytes[c][0] == wide[0] && forms.bytes[c][1] == wide[1]) narrow = static_cast<char>(c);
    if (narrow == 0) return std::string(wide, 2);
    const PuzzleInput& typed = state.typed;
    std::vector<const std::string*> lines{&typed.divisor, &typed.quotient};
    for (const std::string& line : typed.bodyLines) lines.push_back(&line);
    for (const std::string* line : lines)
        for (std::size_t i = 0; i < line->size(); i += cp932CharLength(*line, i))
            if ((*line)[i] == narrow) return std::string(1, narrow);
    return std::string(wide, 2);
}

}  // namespace

std::vector<MaskBinding> maskTable(const PuzzleState& state, int64_t index) {
    std::vector<MaskBinding> table;
    if (state.maskCount <= 0 || index < 0 || index >= state.solutions.count() || !state.solutions.stores())
        return table;
    Int128 values[kRowCount];
    state.solutions.rowValues(index, values);
    for (int i = 0; i < state.maskCount && i < kMaskLetters; ++i) {
        int digit = -1;
        if (!findDigit(state, values, static_cast<char>('A' + i), digit)) continue;
        table.push_back(MaskBinding{typedForm(state, state.masks.entries[i].bytes), digit});
    }
    return table;
}

std::string maskTableLine(const std::vector<MaskBinding>& table) {
    std::string line;
    for (const MaskBinding& binding : table) {
        if (!line.empty()) line += ' ';
        line += binding.character + "=" + std::to_string(binding.digit);
    }
    return line;
}

}  // namespace varnokit
