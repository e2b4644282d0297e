// Reading a problem file for a command: from a path or standard input, in
// cp932 or UTF-8, with the messages that say what went wrong.
#pragma once

#include <cstdio>
#include <string>

#include "encoding/problem_text.h"
#include "files/problem_file.h"

namespace varnokit::cli {

// The program's own message for a file status, with an English gloss (UTF-8).
std::string fileErrorText(FileStatus status);

// What to say about a file that is not cp932 text; empty when it can be solved.
std::string textErrorText(const BoxesConversion& text);

// The problem file's boxes: a path, or standard input for "-". Both are read
// line by line, so a stream without line ends stops after 126 bytes.
FileStatus readBoxes(const std::string& file, std::FILE* in, ProblemBoxes& boxes);

}  // namespace varnokit::cli
