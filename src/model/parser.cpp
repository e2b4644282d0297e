// Reads the four input boxes into the problem record: each line trimmed,
// normalised and checked for characters and lengths the record cannot hold,
// then the line counts, the lengths of the middle lines and the condition.
#include "model/parser.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "model/normaliser.h"
#include "model/parser_messages.h"
#include "model/row_text.h"

namespace varnokit {

const char kMaskOverflowMessage[] =
    "\x95\xa2\x96\xca\x90\x94\x82\xaa\x82P\x82O\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81"
    "B";  // 覆面数が１０を超えています。

namespace {

// Body lines the record holds: dividend, remainder and 28 middle lines at
// rows 4-31 (a puzzle within the digit limits needs at most 29 lines).
constexpr int kMaxBodyLines = kRowCount - 2;

enum class LineKind {
    Number,      // trimmed at both ends; digits, '*' and letters only
    MiddleLine,  // right-trimmed; leading blanks place it under the dividend
    Remainder,   // trimmed at both ends; blanks and letters are left to the remainder check
};

enum class LineResult { Stored, Rejected, MaskOverflow };

// Only digits, '*' and letters after the leading blanks a middle line may
// have. Anything else (a blank inside, half-width katakana, '~', a control
// byte, a broken double-byte character) would act as a mask letter later on.
// The remainder may also hold blanks and cells that are not digits: the
// remainder check reports those with its own message. A NUL byte would end
// the text early and pass for a number, so it is rejected with the rest.
bool hasOnlyCells(const std::string& text, LineKind kind) {
    std::size_t i = 0;
    if (kind == LineKind::MiddleLine)
        while (i < text.size() && text[i] == ' ') ++i;
    if (kind == LineKind::Remainder)
        return std::all_of(text.begin(), text.end(), [](char c) { return isCell(c) || c == ' '; });
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), isCell);
}

// Trims and normalises one typed line and stores it in row when it fits.
// `length` receives the normalised length even when the line is rejected, so
// the comparisons between lines stay meaningful.
LineResult readLine(PuzzleState& state, WorkRow& row, const std::string& typed, LineKind kind, bool& resetMasks,
                    const std::string& name, int& length) {
    std::string raw = kind == LineKind::MiddleLine ? rightTrimLine(typed) : trimLine(typed);
    std::string text = raw;
    if (!normaliseLine(state, text, resetMasks)) return LineResult::MaskOverflow;
    length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));

    bool ok = true;
    if (raw.size() >= static_cast<std::size_t>(kRawCapacity) || text.size() >= static_cast<std::size_t>(kTextCapacity)) {
        state.pending += name + messages::kLineTooLong;
        ok = false;
    } else if (!hasOnlyCells(text, kind)) {
        state.pending += name + messages::kBadCharacter;
        ok = false;
    }
    if (!ok) return LineResult::Rejected;

    std::memcpy(row.raw, raw.c_str(), raw.size() + 1);
    setRowText(row, text);
    row.length = static_cast<int32_t>(text.size());
    return LineResult::Stored;
}

std::string middleLineName(int i) {
    return std::string(messages::kPartialProduct) + std::to_string(i) + messages::kLineNumberSuffix;
}

// The condition box: its digit, or the message that refuses it (none for an
// empty box).
const char* readCondition(const std::string& text, int32_t& digit) {
    digit = -1;
    if (text.empty()) return nullptr;
    Int128 value = 0;
    if (!parseDecimal(text, value)) return messages::kConditionNotNumber;
    if (value < 0 || value > 9) return messages::kConditionNotOneDigit;
    digit = static_cast<int32_t>(value);
    return nullptr;
}

}  // namespace

ParseStatus parse(PuzzleState& state, const PuzzleInput& input) {
    std::memset(&state.problem, 0, sizeof state.problem);
    std::memset(&state.work, 0, sizeof state.work);
    std::memset(&state.scratch, 0, sizeof state.scratch);
    state.typed = input;
    // The condition is taken before any line can stop the parse, so that a
    // rejected puzzle keeps it (the report shows it); its message still
    // comes after the lines' messages.
    const char* conditionMessage = readCondition(input.condition, state.conditionDigit);
    state.conditionChar = state.conditionDigit >= 0 ? static_cast<char>('0' + state.conditionDigit) : 0;
    const std::size_t pendingBefore = state.pending.size();
    auto failed = [&] { return state.pending.size() != pendingBefore; };
    WorkRecord& rec = state.problem;

    const int lineCount = static_cast<int>(std::min<std::size_t>(input.bodyLines.size(), INT_MAX));
    state.bodyLineCount = lineCount;
    bool resetMasks = true;
    int length = 0;

    if (readLine(state, rec.rows[kDivisorRow], input.divisor, LineKind::Number, resetMasks, messages::kDivisorName,
                 length) == LineResult::MaskOverflow)
        return ParseStatus::MaskOverflow;
    if (length == 0) state.pending += messages::kDivisorEmpty;

    if (readLine(state, rec.rows[kQuotientRow], input.quotient, LineKind::Number, resetMasks,
                 messages::kQuotientName, length) == LineResult::MaskOverflow)
        return ParseStatus::MaskOverflow;
    if (length == 0) state.pending += messages::kQuotientEmpty;

    if (lineCount < 3) state.pending += messages::kTooFewBodyLines;
    if (lineCount % 2 == 0) state.pending += messages::kEvenBodyLines;
    // More lines than the record has rows for; no puzzle within the digit
    // limits has that many partial products.
    if (lineCount > kMaxBodyLines) state.pending += messages::kTooManyProductLines;
    if (failed()) return ParseStatus::Failed;

    int lengths[kMaxBodyLines] = {};  // normalised lengths, leading blanks included
    for (int i = 0; i < lineCount; ++i) {
        const std::string& typed = input.bodyLines[static_cast<std::size_t>(i)];
        LineResult result;
        if (i == 0) {
            result = readLine(state, rec.rows[kDividendRow], typed, LineKind::Number, resetMasks,
                              messages::kDividendName, lengths[i]);
        } else if (i == lineCount - 1) {
            result = readLine(state, rec.rows[kRemainderRow], typed, LineKind::Remainder, resetMasks,
                              messages::kRemainderName, lengths[i]);
        } else {
            std::string name = middleLineName(i);
            result = readLine(state, rec.rows[3 + i], typed, LineKind::MiddleLine, resetMasks, name, lengths[i]);
            if (result != LineResult::MaskOverflow) {
                if (lengths[i] > lengths[0]) state.pending += name + messages::kLongerThanDividend;
                if (i >= 2 && i % 2 == 0 && lengths[i] <= lengths[i - 1])
                    state.pending += messages::kDifferenceNotLonger;
                if (i >= 3 && i % 2 == 1 && lengths[i] != lengths[i - 1]) state.pending += messages::kProductNotEqual;
            }
        }
        if (result == LineResult::MaskOverflow) return ParseStatus::MaskOverflow;
    }

    if (conditionMessage != nullptr) state.pending += conditionMessage;
    if (2 * rec.rows[kQuotientRow].length + 1 < lineCount) state.pending += messages::kTooManyProductLines;
    return failed() ? ParseStatus::Failed : ParseStatus::Ok;
}

}  // namespace varnokit
