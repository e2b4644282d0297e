// Saving the five input boxes as a problem file.
#include <string>

#include "files/file_output.h"
#include "files/problem_file.h"

namespace varnokit {

namespace {

const char* const kNotesOpen = "<!--comment";
const char* const kNotesClose = "comment-->";
const char* const kConditionMarker = "<!--JOUKEN=";

void addLine(std::string& bytes, std::string_view line) {
    bytes += line;
    bytes += "\r\n";
}

}  // namespace

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

FileStatus writeProblemFile(const std::string& path, const ProblemBoxes& boxes) {
    std::string bytes;
    FileStatus status = formatProblemFile(boxes, bytes);
    if (status != FileStatus::Ok) return status;
    return replaceFileContents(path, bytes);
}

}  // namespace varnokit
