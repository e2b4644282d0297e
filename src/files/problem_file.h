// Problem files: the five input boxes (notes, divisor, quotient, body,
// condition) as line-based cp932 text with CR LF line ends, a notes block
// between "<!--comment" and "comment-->", and a condition line
// "<!--JOUKEN=d". Nothing is parsed or validated here: the boxes hold text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace varnokit {

// The texts of the five boxes, cp932, one string per line, no line ends.
// An empty notes box is an empty vector; a box holding one empty line is {""}.
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

// --- Limits ---
constexpr std::size_t kMaxProblemLineBytes = 126;  // longest line the reader takes

// --- The condition box ---
// The condition box's text as an integer: an optional '+' or '-' and one or
// more decimal digits, within the 32-bit range. Anything else (blanks,
// full-width digits, an empty text) is refused.
bool conditionToInteger(std::string_view text, int32_t& value);

// --- Writing ---
// The file's bytes for the boxes (CR LF line ends). Fails only with
// BadCondition, for a condition box that is not empty and not an integer.
FileStatus formatProblemFile(const ProblemBoxes& boxes, std::string& bytes);
// Writes the file completely or not at all: a regular file is replaced only
// once the new one is complete; a device or FIFO is written in place. With
// BadCondition nothing is opened or written.
FileStatus writeProblemFile(const std::string& path, const ProblemBoxes& boxes);

// --- Reading ---
// Fills the boxes (emptied first) from the file's bytes. A line ends at LF,
// with the CR before it dropped; a Ctrl-Z byte ends the file; the condition
// line ends the reading. On LineTooLong or ReadError `boxes` holds what was
// read before the failure.
FileStatus parseProblemFile(std::string_view bytes, ProblemBoxes& boxes);
// The same from a file. A directory or a file that cannot be opened gives
// CannotOpenInput. The file is read as a stream, line by line, never past
// the line that ends the reading, so FIFOs and endless devices are safe.
FileStatus readProblemFile(const std::string& path, ProblemBoxes& boxes);
// For the window, which must never wait: the same, but a path that is not a
// regular file (a FIFO, whose opening waits for a writer that may never
// come; a terminal; a folder) gives CannotOpenInput without being opened.
FileStatus readRegularProblemFile(const std::string& path, ProblemBoxes& boxes);
// The same from an open stream (standard input, say); the caller closes it.
FileStatus readProblemStream(std::FILE* stream, ProblemBoxes& boxes);

}  // namespace varnokit
