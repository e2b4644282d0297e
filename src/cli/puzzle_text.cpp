// Laying out a composed puzzle for the terminal.
#include "cli/puzzle_text.h"

#include <algorithm>

#include "cli/json_output.h"
#include "encoding/cp932.h"
#include "model/numbers.h"
#include "model/normaliser.h"

namespace varnokit::cli {
namespace {

int characters(const std::string& cp932) {
    int count = 0;
    for (std::size_t i = 0; i < cp932.size(); i += cp932CharLength(cp932, i)) ++count;
    return count;
}

std::string jsonArray(const std::vector<std::string>& cp932Lines) {
    std::string out = "[";
    for (std::size_t i = 0; i < cp932Lines.size(); ++i) {
        if (i > 0) out += ", ";
        out += jsonString(cp932ToUtf8Lossy(cp932Lines[i]));
    }
    return out + "]";
}

}  // namespace

std::vector<std::string> puzzleLines(const compose::Draft& draft) {
    const ProblemBoxes boxes = compose::draftBoxes(draft);
    const bool fullWidth = std::find(draft.states.begin(), draft.states.end(), compose::CellState::Masked) !=
                           draft.states.end();
    const std::string blank = fullWidth ? "\x81\x40" : " ";  // one column
    auto pad = [&](int columns) {
        std::string out;
        for (int i = 0; i < columns; ++i) out += blank;
        return out;
    };
    const int indent = characters(boxes.divisor) + 1;
    const int dividend = boxes.body.empty() ? 0 : characters(boxes.body.front());
    std::vector<std::string> lines;
    lines.push_back(pad(indent + std::max(0, dividend - characters(boxes.quotient))) + boxes.quotient);
    for (std::size_t i = 0; i < boxes.body.size(); ++i)
        lines.push_back((i == 0 ? boxes.divisor + blank : pad(indent)) + boxes.body[i]);
    if (!boxes.condition.empty()) lines.push_back("\x8f\xf0\x8c\x8f\x81\x96\x81\x82" + boxes.condition);  // 条件＊≠
    for (std::string& line : lines) line = cp932ToUtf8Lossy(line);
    return lines;
}

std::string puzzleJson(const compose::Draft& draft) {
    const ProblemBoxes boxes = compose::draftBoxes(draft);
    return "{\"divisor\": " + jsonString(cp932ToUtf8Lossy(boxes.divisor)) +
           ", \"quotient\": " + jsonString(cp932ToUtf8Lossy(boxes.quotient)) + ", \"body\": " + jsonArray(boxes.body) +
           ", \"condition\": " + jsonString(boxes.condition) + ", \"notes\": " + jsonArray(boxes.notes) + "}";
}

std::string divisionJson(const compose::Division& division) {
    const Int128 dividend = Int128{division.divisor} * division.quotient + division.remainder;
    return "{\"divisor\": " + jsonString(std::to_string(division.divisor)) +
           ", \"quotient\": " + jsonString(std::to_string(division.quotient)) +
           ", \"dividend\": " + jsonString(toDecimal(dividend)) +
           ", \"remainder\": " + jsonString(std::to_string(division.remainder)) + "}";
}

}  // namespace varnokit::cli
