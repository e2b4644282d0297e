// Reading problem files for the command line, and what to say when that fails.
#include "cli/problem_reading.h"

#include "encoding/cp932.h"

namespace varnokit::cli {

std::string fileErrorText(FileStatus status) {
    std::string gloss;
    switch (status) {
        case FileStatus::CannotOpenInput: gloss = "cannot open the file"; break;
        case FileStatus::ReadError: gloss = "cannot read the file"; break;
        case FileStatus::LineTooLong: gloss = "a line is longer than 126 bytes"; break;
        case FileStatus::TooManyLines: gloss = "more than 10000 lines: no problem file"; break;
        case FileStatus::CannotOpenOutput: gloss = "cannot open the output file"; break;
        case FileStatus::WriteError: gloss = "the file could not be written completely"; break;
        default: gloss = "file error"; break;
    }
    const std::string message = cp932ToUtf8Lossy(fileStatusMessage(status));
    return message.empty() ? gloss : message + " (" + gloss + ")";
}

// What to say about a file that is not cp932 text; empty when it can be solved.
std::string textErrorText(const BoxesConversion& text) {
    switch (text.result) {
        case BoxesText::NotUtf8:
            return "Shift-JIS (cp932) としても UTF-8 としても読めないファイルです"
                   " (the file is neither Shift-JIS (cp932) nor UTF-8)";
        case BoxesText::Unmappable:
            return "文字「" + text.badCharacter + "」は Shift-JIS (cp932) で表せません"
                   " (a character of this UTF-8 file has no Shift-JIS form)";
        default:
            return {};
    }
}

// The problem file's boxes: a path, or standard input for "-". Both are read
// line by line, so a stream without line ends stops after 126 bytes.
FileStatus readBoxes(const std::string& file, std::FILE* in, ProblemBoxes& boxes) {
    return file == "-" ? readProblemStream(in, boxes) : readProblemFile(file, boxes);
}

}  // namespace varnokit::cli
