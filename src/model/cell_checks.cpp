// The two cell operations every deduction is built from: forcing a digit
// into a cell and making two cells equal, binding mask letters on the way.
#include <cassert>
#include <string>

#include "model/parser.h"
#include "model/parser_messages.h"
#include "model/row_text.h"

namespace varnokit {

namespace {

// Binds letter cell `letter` to digit character `digit` if it is free to
// take it, and writes the digit into the cell. False when the letter holds
// another digit or the digit belongs to another letter.
bool bindLetter(PuzzleState& state, char& letter, char digit) {
    assert(isLetterCell(letter) && isDigitCell(digit));
    int32_t& bound = state.letters.letter[letter - 'A'];
    int32_t& taken = state.letters.taken[digit - '0'];
    if (bound == -1 && taken == -1) {
        bound = digit - '0';
        taken = 1;
    } else if (bound != digit - '0') {
        return false;
    }
    letter = digit;
    return true;
}

bool keepsWildcard(const PuzzleState& state, char digit, ConditionRule rule) {
    return rule == ConditionRule::KeepWildcard && digit == state.conditionChar;
}

}  // namespace

int cellCheck(PuzzleState& state, char& cell, char digit, ConditionRule rule) {
    assert(isDigitCell(digit));
    if (cell == '*') {
        if (!keepsWildcard(state, digit, rule)) cell = digit;
        return 0;
    }
    if (cell == digit) return 0;
    if (isDigitCell(cell)) {
        // The digit is named twice: that is how this message has always read.
        state.pending += std::string(1, digit) + messages::kShouldBeDigit + digit + messages::kIsNot;
        return 1;
    }
    assert(isLetterCell(cell));
    if (isLetterCell(cell) && bindLetter(state, cell, digit)) return 0;
    state.pending += std::string(1, digit) + messages::kShouldBePlace;
    return 1;
}

int matchCheck(PuzzleState& state, char& a, char& b, ConditionRule rule) {
    assert(isCell(a) && isCell(b));
    if (a == b) return 0;
    if (a == '*') {
        if (!keepsWildcard(state, b, rule)) a = b;
        return 0;
    }
    if (b == '*') {
        if (!keepsWildcard(state, a, rule)) b = a;
        return 0;
    }
    if (isDigitCell(a) && isDigitCell(b)) {
        state.pending += messages::kMatchDigitsDiffer;
        return 1;
    }
    if (isLetterCell(a) && isLetterCell(b)) {
        state.pending += messages::kMatchLettersDiffer;
        return 1;
    }
    char& letter = isLetterCell(a) ? a : b;
    char digit = isLetterCell(a) ? b : a;
    if (isLetterCell(letter) && isDigitCell(digit) && bindLetter(state, letter, digit)) return 0;
    state.pending += messages::kLetterConflict;
    return 1;
}

}  // namespace varnokit
