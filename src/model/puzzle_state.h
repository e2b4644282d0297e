// Everything the program knows about the puzzle being solved, in one object
// that every step receives explicitly: the three records, the mask table, the
// condition, the letter bindings, the pending message, the abort flag and the
// stored solutions. Two solves never share state.
#pragma once

#include <cstdint>
#include <string>

#include "model/puzzle_input.h"
#include "model/work_record.h"
#include "model/solution_list.h"

namespace varnokit {

constexpr int kMaskLetters = 10;  // 'A' … 'J'

// --- Mask table ---
// Entry i binds one double-byte cp932 character to mask letter 'A' + i.
// A free entry holds two blanks; entry 10 is the all-zero end marker.
struct MaskEntry {
    char bytes[2];
    char letter;
};
struct MaskTable {
    MaskEntry entries[kMaskLetters + 1];
};
void resetMaskTable(MaskTable& table);

// --- Letter bindings ---
// letter[i]: digit bound to 'A' + i, or -1. taken[d]: 1 while a letter holds d, else -1.
struct LetterBindings {
    int32_t letter[kMaskLetters];
    int32_t taken[10];
};
void resetLetters(LetterBindings& bindings);

struct PuzzleState {
    // The boxes as the last parse was given them: the report shows this
    // puzzle, also when the checks stopped before the records were filled.
    PuzzleInput typed;

    // Records
    WorkRecord work;     // working state of the search; rows in solver order
    WorkRecord problem;  // rows as laid out on screen (interior rows keep leading blanks)
    WorkRecord scratch;  // pre-deduction only: interior rows padded to the dividend's width

    // Values beside the records
    MaskTable masks{};
    int32_t maskCount = 0;       // distinct masking characters of the puzzle
    int32_t conditionDigit = -1; // digit no '*' may stand for, or -1
    char conditionChar = 0;      // '0' + conditionDigit, or 0
    int32_t bodyLineCount = 0;   // lines of the body at the last parse
    LetterBindings letters{};
    std::string pending;         // messages of the checks (cp932), no separators
    volatile uint8_t abortFlag = 0;  // set to 1 by Abort, read by the search

    // Solutions of the last search
    SolutionList solutions;

    PuzzleState();
};

}  // namespace varnokit
