// varnokit-cli as a function: parses the command line, solves each problem
// file and writes the results, returning the exit status. main() only hands
// it the process's streams; the tests hand it memory streams.
#pragma once

#include <cstdio>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/terminal_hooks.h"

namespace varnokit::cli {

// Exit statuses, ranked: a batch exits with the highest-ranked status of its files.
constexpr int kExitSearched = 0;  // every puzzle searched to its end
constexpr int kExitRejected = 1;  // the checks rejected a puzzle
constexpr int kExitAborted = 3;   // a search stopped by --timeout or Ctrl-C
constexpr int kExitUsage = 2;     // a usage or file error
// Standard output was closed by its reader (`… | head`): main() then ends
// the program by SIGPIPE, quietly, as Unix tools end.
constexpr int kExitOutputClosed = 128 + 13;

// Returns the status of two files' statuses that a batch reports: 2, then 3, then 1, then 0.
int worseExit(int a, int b);

struct CliIo {
    std::FILE* in;  // standard input, read line by line (an endless pipe is refused, not swallowed)
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;  // draw the progress bar
    // The system services for one run; `measureClock` false means --no-clock.
    std::function<SystemServices(bool measureClock)> services;
    // True once `out` failed because its reader went away (a closed pipe).
    std::function<bool()> outputClosed = [] { return false; };
};

int runCli(const std::vector<std::string>& args, CliIo& io);

// The clock text for --no-clock (cp932).
extern const char* const kClockNotMeasured;

}  // namespace varnokit::cli
