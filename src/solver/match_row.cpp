// Matching a row value against its pattern, binding mask letters.
#include <cassert>

#include "solver/search.h"

namespace varnokit {
namespace {

// Writes the decimal digits of a non-negative value into `out` (no NUL) and
// returns their count. Most values fit 64 bits, where division is cheap.
int decimalDigits(Int128 value, char (&out)[40]) {
    char reversed[40];
    int count = 0;
    if (value <= static_cast<Int128>(UINT64_MAX)) {
        auto v = static_cast<uint64_t>(value);
        do {
            reversed[count++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
    } else {
        do {
            reversed[count++] = static_cast<char>('0' + static_cast<int>(value % 10));
            value /= 10;
        } while (value != 0);
    }
    for (int i = 0; i < count; ++i) out[i] = reversed[count - 1 - i];
    return count;
}

}  // namespace

int matchRow(SearchContext& context, Int128 value, const WorkRow& row) {
    if (value == 0 && row.length == 0) return 0;
    if (value < 0) return 1;
    char digits[40];
    if (decimalDigits(value, digits) != row.length) return 1;

    PuzzleState& state = context.state;
    LetterBindings& letters = state.letters;
    for (int j = 0; j < row.length; ++j) {
        const char cell = row.text[j];
        const char digit = digits[j];
        if (cell == '*') {
            if (digit == state.conditionChar) return 1;
        } else if (cell >= '0' && cell <= '9') {
            if (digit != cell) return 1;
        } else {
            assert(cell >= 'A' && cell < 'A' + kMaskLetters);
            const int letter = cell - 'A';
            const int v = digit - '0';
            const int bound = letters.letter[letter];
            if (bound >= 0) {
                if (bound != v) return 1;
            } else {
                if (letters.taken[v] == 1) return 1;
                if (context.letterAvoidsCondition[letter] && v == state.conditionDigit) return 1;
                letters.letter[letter] = v;
                letters.taken[v] = 1;
            }
        }
    }
    return 0;
}

}  // namespace varnokit
