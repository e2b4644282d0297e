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

// How the text of a problem file is written. The program writes cp932;
// files written by other editors are often UTF-8, with or without a BOM.
enum class TextEncoding { Cp932, Utf8 };

// The texts of the five boxes, one string per line, no line ends: cp932,
// or UTF-8 when a file read in UTF-8 filled them (the front ends convert).
// An empty notes box is an empty vector; a box holding one empty line is {""}.
struct ProblemBoxes {
    std::vector<std::string> notes;
    std::string divisor;
    std::string quotient;
    std::vector<std::string> body;
    std::string condition;
    TextEncoding encoding = TextEncoding::Cp932;
};

enum class FileStatus {
    Ok,
    CannotOpenOutput,  // "出力ファイルが開けません"
    CannotOpenInput,   // "入力ファイルを開けません"
    ReadError,         // "入力ファイルを読めません"
    LineTooLong,       // "入力ファイルの行が長すぎます"
    WriteError,        // the file could not be written completely
    BadCondition,      // the condition box is not an integer
    TooManyLines,      // "入力ファイルの行が多すぎます": more lines than any problem file has
    WouldNotLoadBack,  // a box holds a line that a saved file could not carry back
};

// The fixed message (cp932) the user sees for a status; empty for Ok.
std::string fileStatusMessage(FileStatus status);

// --- Limits ---
constexpr std::size_t kMaxProblemLineBytes = 126;  // longest line the reader takes, in cp932 bytes
// Most lines the reader takes. A puzzle has at most 33 data lines; the rest
// is notes. Beyond this the file is no problem file (a log, a disk image, a
// stream of empty lines) and reading it would only fill memory.
constexpr int kMaxProblemFileLines = 10000;

// --- Encodings ---
// A line's length in cp932 bytes: its byte count for cp932, and for UTF-8
// one per ASCII character or half-width katakana, two per other character
// (its cp932 length when cp932 holds it), one per byte that is not UTF-8.
std::size_t cp932Length(std::string_view line, TextEncoding encoding);
// True when the line is well-formed UTF-8, holds at least one character
// beyond ASCII, and every such character of the Basic Multilingual Plane is
// one cp932 holds. A cp932 line that happens to be well-formed UTF-8
// (half-width katakana pairs, say) decodes to characters far outside
// Japanese text, so this tells the two apart.
bool looksLikeUtf8(std::string_view line);
// True when every byte belongs to a well-formed UTF-8 sequence.
bool isWellFormedUtf8(std::string_view text);

// --- The condition box ---
// The condition box's text as an integer: an optional '+' or '-' and one or
// more decimal digits, within the 32-bit range. Anything else (blanks,
// full-width digits, an empty text) is refused.
bool conditionToInteger(std::string_view text, int32_t& value);

// --- Writing ---
// Why the boxes, once saved, would not load back as they are (cp932, naming
// the box and line), or "" when they would. A notes line that reads exactly
// "<!--comment" or "comment-->" would end or restart the notes block; a
// line longer than the reader takes, or holding a line feed or Ctrl-Z,
// would be refused or cut. (Data lines the reader files under the notes,
// such as an empty divisor, are the format's own rule and are saved.)
std::string reasonNotLoadableBack(const ProblemBoxes& boxes);
// The file's bytes for the boxes (CR LF line ends). Fails with BadCondition
// for a condition box that is not empty and not an integer, and with
// WouldNotLoadBack when reasonNotLoadableBack has a reason.
FileStatus formatProblemFile(const ProblemBoxes& boxes, std::string& bytes);

// --- Reading ---
// Fills the boxes (emptied first) from the file's bytes. A line ends at LF,
// with the CR before it dropped; a Ctrl-Z byte ends the file; the condition
// line ends the reading. On LineTooLong, TooManyLines or ReadError `boxes`
// holds what was read before the failure; memory stays bounded whatever the
// input holds.
// The encoding: a UTF-8 byte order mark at the start (dropped) makes the
// file UTF-8; otherwise the first line beyond ASCII decides, by looksLikeUtf8.
// The length limit applies to each line's cp932 length.
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
