// Initial and reset states of the puzzle-state object.
#include "model/puzzle_state.h"

#include <cstring>

namespace varnokit {

void resetMaskTable(MaskTable& table) {
    for (int i = 0; i < kMaskLetters; ++i) {
        table.entries[i].bytes[0] = ' ';
        table.entries[i].bytes[1] = ' ';
        table.entries[i].letter = static_cast<char>('A' + i);
    }
    table.entries[kMaskLetters] = MaskEntry{{0, 0}, 0};
}

void resetLetters(LetterBindings& bindings) {
    for (int32_t& v : bindings.letter) v = -1;
    for (int32_t& v : bindings.taken) v = -1;
}

PuzzleState::PuzzleState() {
    std::memset(&work, 0, sizeof work);
    std::memset(&problem, 0, sizeof problem);
    std::memset(&scratch, 0, sizeof scratch);
    resetMaskTable(masks);
    resetLetters(letters);
}

}  // namespace varnokit
