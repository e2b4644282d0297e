// The command line of varnokit-cli: the command, its options and files,
// checked as a whole before anything runs, and the help text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solver/solve.h"

namespace varnokit::cli {

struct CliOptions {
    bool json = false;                 // one JSON object per file instead of text
    double timeoutSeconds = 0;         // stop each search after this long; 0 = never
    bool measureClock = false;         // true: measure the processor clock (takes a second)
    SearchEngine engine = SearchEngine::Fast;
    bool unique = false;               // add the uniqueness analysis to the log
    std::string reportPath;            // append (or replace) the result report here
    bool overwrite = false;            // with reportPath: replace instead of appending
    bool reportStdout = false;         // print the report (UTF-8) instead of the text output
    bool countOnly = false;            // count the solutions; store and print none
    int64_t maxSolutions = 0;          // stop each search at this many solutions; 0 = all
    bool digest = false;               // print a digest of the solution list instead of the solutions
    std::vector<std::string> files;    // problem files; "-" is standard input
};

enum class Command { Solve, Help, Version };

struct ParsedArguments {
    bool ok = false;
    Command command = Command::Help;
    CliOptions options;
    std::string error;  // why the command line was refused (UTF-8), when !ok
};

// Parses the arguments after the program name. Options may stand before,
// between or after the files; "--" ends the options; "--name=value" and
// "--name value" are both accepted.
ParsedArguments parseArguments(const std::vector<std::string>& args);

// The text of --help (UTF-8).
std::string helpText();

// The text of --version.
std::string versionText();

}  // namespace varnokit::cli
