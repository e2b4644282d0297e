// Small helpers shared by the parser's steps: reading and writing a row's
// text and classifying the cells of normalised text.
#pragma once

#include <cassert>
#include <cstring>
#include <string_view>

#include "model/puzzle_state.h"
#include "model/work_record.h"

namespace varnokit {

inline bool isDigitCell(char c) { return c >= '0' && c <= '9'; }
inline bool isLetterCell(char c) { return c >= 'A' && c <= 'J'; }
// A digit, '*' or a mask letter: what a row's text holds apart from blanks.
inline bool isCell(char c) { return isDigitCell(c) || isLetterCell(c) || c == '*'; }

inline std::string_view rowText(const WorkRow& row) { return std::string_view(row.text); }

// Replaces the text; the caller has made sure it fits.
inline void setRowText(WorkRow& row, std::string_view text) {
    assert(text.size() < static_cast<std::size_t>(kTextCapacity));
    if (!text.empty()) std::memcpy(row.text, text.data(), text.size());  // data() may be null
    row.text[text.size()] = '\0';
}

// The text without blanks at either end.
inline std::string_view stripBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Row of the last middle line in typed order (body line i sits in row
// 3 + i), kept inside the record whatever the body line count says.
inline int lastMiddleRow(const PuzzleState& state) {
    const int32_t lines = state.bodyLineCount;
    return lines < 2 ? 3 : lines > kRowCount - 2 ? kRowCount - 1 : lines + 1;
}

// Empties text, raw text and length; value and ranges are left alone.
inline void clearRowText(WorkRow& row) {
    row.text[0] = '\0';
    row.raw[0] = '\0';
    row.length = 0;
}

}  // namespace varnokit
