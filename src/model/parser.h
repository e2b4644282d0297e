// The parser and the checks that run before the search: reading the four
// input boxes into the problem record, the length and layout checks, the
// re-layout into solver order with the remainder checks, the deductions the
// layout alone forces, and the two cell operations they are built from.
// Every check appends its fixed cp932 message to state.pending.
#pragma once

#include "model/puzzle_input.h"
#include "model/puzzle_state.h"

namespace varnokit {

// --- Parsing ---
enum class ParseStatus { Ok, Failed, MaskOverflow };  // MaskOverflow: caller logs kMaskOverflowMessage
extern const char kMaskOverflowMessage[];  // "覆面数が１０を超えています。" (cp932)

// Clears the three records, reads the boxes into the problem record (rows 0-3
// and the middle lines in typed order at row 3 + i), the condition and the
// body line count. Failed when this call appended any message; MaskOverflow
// (nothing appended) as soon as a line brings an eleventh distinct mask.
ParseStatus parse(PuzzleState& state, const PuzzleInput& input);

// --- Checks on the parsed problem record (messages appended to state.pending) ---
void lengthChecks(PuzzleState& state);  // digit counts and leading zeros
void layoutChecks(PuzzleState& state);  // where the middle lines stand

// --- Solver order ---
// Copies the problem record into the WorkRecord with the interior rows in
// solver order (an empty pair per quotient digit 0), reads the remainder's
// value, copies the result back into the problem record and trims the
// WorkRecord's interior rows. Expects the checks above to have passed.
// 0 ok, 1 failure (message appended).
int relayout(PuzzleState& state);

// Forces the digits the layout alone implies: zero quotient digits, borrows
// where a partial product is shorter than the digits above it, brought-down
// dividend digits, and with remainder 0 the last subtraction's two rows.
// Keeps going after a failed check; messages appended.
void prededuce(PuzzleState& state);

// --- Cell operations ---
// Whether a check may write the condition digit into a '*' cell. The
// deductions above use KeepWildcard: such a cell stays '*' and the check
// succeeds, so the search, which never lets a '*' take the condition digit,
// finds no solution. Bound propagation filters those cells itself and uses Off.
enum class ConditionRule { Off, KeepWildcard };

// Forces digit (a character '0'-'9') into cell: a '*' or the same digit
// takes it; an unbound letter whose digit is free is bound to it; a letter
// already bound to it takes it. Only this cell is rewritten. 0 ok, 1 failure.
int cellCheck(PuzzleState& state, char& cell, char digit, ConditionRule rule = ConditionRule::Off);

// Makes two cells equal: a '*' takes the other cell; a letter and a digit
// bind as in cellCheck; two different digits or letters fail. 0 ok, 1 failure.
int matchCheck(PuzzleState& state, char& a, char& b, ConditionRule rule = ConditionRule::Off);

}  // namespace varnokit
