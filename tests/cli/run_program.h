// Runs the built varnokit-cli in a child process, with given arguments and
// standard input, and captures its exit status, standard output and error.
#pragma once

#include <string>
#include <vector>

namespace varnokit::testing {

struct ProgramRun {
    int status = -1;     // exit status; -1 when it did not exit normally
    int signal = 0;      // the signal that ended it, or 0
    std::string out;
    std::string err;
    double seconds = 0;  // wall-clock time of the run
    long peakKib = 0;    // the most memory it held at once (maximum resident set)
};

// How the program runs beyond its arguments.
struct ProgramSetting {
    unsigned long long addressSpace = 0;  // an address-space limit (ulimit -v), bytes; 0: none
    bool discardOutput = false;           // standard output to /dev/null: too large to keep
    bool outputClosed = false;            // standard output a pipe nobody reads any more
};

// interruptAfter > 0: send SIGINT (Ctrl-C) to the program after that many seconds.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& stdinBytes = "", double interruptAfter = 0,
                      const ProgramSetting& setting = {});

// A fresh empty folder for one test's files.
std::string makeTempFolder();
std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);

}  // namespace varnokit::testing
