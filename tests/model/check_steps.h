// Test helper: runs the parser's steps in the order Solve runs them,
// stopping after the first step that leaves a message, and builds inputs.
#pragma once

#include <initializer_list>
#include <string>

#include "model/parser.h"
#include "support/text.h"

namespace varnokit::testing {

// Input boxes from UTF-8 texts (converted to cp932).
inline PuzzleInput makeInput(const std::string& divisor, const std::string& quotient,
                             std::initializer_list<std::string> body, const std::string& condition = "") {
    PuzzleInput input;
    input.divisor = sjis(divisor);
    input.quotient = sjis(quotient);
    for (const std::string& line : body) input.bodyLines.push_back(sjis(line));
    input.condition = sjis(condition);
    return input;
}

enum class Step { Parse, LengthChecks, LayoutChecks, Relayout, Prededuce, Done };

// Runs parse … prededuce on a fresh letter table; returns the step that left
// a message (or Done). The pending message stays in state.pending.
inline Step runChecks(PuzzleState& state, const PuzzleInput& input) {
    resetLetters(state.letters);
    state.pending.clear();
    if (parse(state, input) != ParseStatus::Ok) return Step::Parse;
    lengthChecks(state);
    if (!state.pending.empty()) return Step::LengthChecks;
    layoutChecks(state);
    if (!state.pending.empty()) return Step::LayoutChecks;
    if (relayout(state) != 0) return Step::Relayout;
    prededuce(state);
    if (!state.pending.empty()) return Step::Prededuce;
    return Step::Done;
}

inline std::string text(const WorkRow& row) { return std::string(row.text); }

}  // namespace varnokit::testing
