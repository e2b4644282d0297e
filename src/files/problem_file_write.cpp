// Saving the five input boxes as a problem file, and refusing boxes whose
// saved form would not load back as they are.
#include <string>

#include "files/problem_file.h"

namespace varnokit {

namespace {

const char* const kNotesOpen = "<!--comment";
const char* const kNotesClose = "comment-->";
const char* const kConditionMarker = "<!--JOUKEN=";

// Box names and message parts (cp932).
const char* const kNotesName = "\x92\x8d\x8e\xdf";      // 注釈
const char* const kDivisorName = "\x8f\x9c\x90\x94";    // 除数
const char* const kQuotientName = "\x8f\xa4";           // 商
const char* const kBodyName = "\x96\xe2\x91\xe8";       // 問題
const char* const kLineSuffix = "\x8ds\x96\xda";        // 行目
const char* const kIsOnly = "\x82\xcd\x81u";            // は「
const char* const kOnlyMarker =
    "\x81v\x82\xbe\x82\xaf\x82\xcc\x8ds\x82\xc5\x81" "A\x95\xdb\x91\xb6\x82\xb7\x82\xe9\x82\xc6\x93\xc7\x82\xdd"
    "\x96\xdf\x82\xb9\x82\xdc\x82\xb9\x82\xf1\x81" "B";  // 」だけの行で、保存すると読み戻せません。
const char* const kTooLong =
    "\x82\xaa" "126\x83o\x83" "C\x83g\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xc4\x81" "A\x95\xdb\x91\xb6"
    "\x82\xb7\x82\xe9\x82\xc6\x93\xc7\x82\xdd\x96\xdf\x82\xb9\x82\xdc\x82\xb9\x82\xf1\x81" "B";  // が126バイトを超えていて、保存すると読み戻せません。
const char* const kLineBreak =
    "\x82\xc9\x89\xfc\x8ds\x82\xa9" "Ctrl-Z\x82\xcc\x95\xb6\x8e\x9a\x82\xaa\x82\xa0\x82\xe8\x81" "A\x95\xdb\x91\xb6"
    "\x82\xb7\x82\xe9\x82\xc6\x93\xc7\x82\xdd\x96\xdf\x82\xb9\x82\xdc\x82\xb9\x82\xf1\x81" "B";  // に改行かCtrl-Zの文字があり、保存すると読み戻せません。

void addLine(std::string& bytes, std::string_view line) {
    bytes += line;
    bytes += "\r\n";
}

// "注釈の3行目" for line 3 of a box of lines, the box's name alone for a one-line box.
std::string place(const char* box, std::size_t index, bool manyLines) {
    std::string where = box;
    if (manyLines) where += "\x82\xcc" + std::to_string(index + 1) + kLineSuffix;  // の
    return where;
}

// Why one line would not come back from a saved file, or "".
std::string lineProblem(const std::string& line, const char* box, std::size_t index, bool manyLines) {
    if (line.find_first_of(std::string_view("\n\x1a", 2)) != std::string::npos)
        return place(box, index, manyLines) + kLineBreak;
    if (line.size() > kMaxProblemLineBytes) return place(box, index, manyLines) + kTooLong;
    return {};
}

}  // namespace

std::string reasonNotLoadableBack(const ProblemBoxes& boxes) {
    for (std::size_t i = 0; i < boxes.notes.size(); ++i) {
        const std::string& line = boxes.notes[i];
        // Inside the notes block these two lines are read as the block's
        // own markers: "comment-->" would end the notes early and turn the
        // lines after it into the puzzle.
        if (line == kNotesOpen || line == kNotesClose)
            return place(kNotesName, i, true) + kIsOnly + line + kOnlyMarker;
        std::string problem = lineProblem(line, kNotesName, i, true);
        if (!problem.empty()) return problem;
    }
    std::string problem = lineProblem(boxes.divisor, kDivisorName, 0, false);
    if (problem.empty()) problem = lineProblem(boxes.quotient, kQuotientName, 0, false);
    for (std::size_t i = 0; problem.empty() && i < boxes.body.size(); ++i)
        problem = lineProblem(boxes.body[i], kBodyName, i, true);
    return problem;
}

bool conditionToInteger(std::string_view text, int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    int64_t magnitude = 0;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return false;
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

FileStatus formatProblemFile(const ProblemBoxes& boxes, std::string& bytes) {
    // Convert the condition first: a box that is not an integer must not
    // leave a file without its condition line behind.
    int32_t condition = 0;
    if (!boxes.condition.empty() && !conditionToInteger(boxes.condition, condition)) {
        return FileStatus::BadCondition;
    }
    if (!reasonNotLoadableBack(boxes).empty()) return FileStatus::WouldNotLoadBack;
    bytes.clear();
    if (!boxes.notes.empty()) {
        addLine(bytes, kNotesOpen);
        for (const std::string& line : boxes.notes) addLine(bytes, line);
        addLine(bytes, kNotesClose);
    }
    addLine(bytes, boxes.divisor);
    addLine(bytes, boxes.quotient);
    for (const std::string& line : boxes.body) addLine(bytes, line);
    if (!boxes.condition.empty()) addLine(bytes, kConditionMarker + std::to_string(condition));
    return FileStatus::Ok;
}

}  // namespace varnokit
