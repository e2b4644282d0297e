// Problem files: the five input boxes (notes, divisor, quotient, body,
// condition) as line-based cp932 text with CR LF line ends, a notes block
// between "<!--comment" and "comment-->", and a condition line
// "<!--JOUKEN=d". Nothing is parsed or validated here: the boxes hold text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnokit {

// The texts of the five boxes, cp932, one string per line, no line ends.
struct ProblemBoxes {
    std::vector<std::string> notes;
    std::string divisor;
    std::string quotient;
    std::vector<std::string> body;
    std::string condition;
};

enum class FileStatus {
    Ok,
    CannotOpenOutput,  // "出力ファイルが開けません"
    CannotOpenInput,   // "入力ファイルを開けません"
    ReadError,         // "入力ファイルを読めません"
    LineTooLong,       // "入力ファイルの行が長すぎます"
    WriteError,        // the file could not be written completely
    BadCondition,      // the condition box is not an integer
};

// The fixed message (cp932) the user sees for a status; empty for Ok.
std::string fileStatusMessage(FileStatus status);

// --- Writing ---
// The file's bytes for the boxes. Fails only with BadCondition.
FileStatus formatProblemFile(const ProblemBoxes& boxes, std::string& bytes);
// Writes the file completely or not at all: a regular file is replaced only
// once the new one is complete; a device or FIFO is written in place.
FileStatus writeProblemFile(const std::string& path, const ProblemBoxes& boxes);

// --- Reading ---
// Reads the boxes from the file's bytes. On LineTooLong (or ReadError)
// `boxes` holds what was read before the failure.
FileStatus parseProblemFile(std::string_view bytes, ProblemBoxes& boxes);
FileStatus readProblemFile(const std::string& path, ProblemBoxes& boxes);

}  // namespace varnokit
