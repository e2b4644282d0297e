// varnokit-cli: solves problem files from the command line (see --help).
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/fd_output.h"
#include "cli/interrupt.h"
#include "cli/run.h"
#include "cli/system_services.h"

int main(int argc, char** argv) {
    using namespace varnokit::cli;
    // A reader that leaves (a FIFO as the report, `| head`) makes writes fail
    // with EPIPE instead of killing the program before it can tell or finish.
    std::signal(SIGPIPE, SIG_IGN);
    installInterruptHandler();
    FdOutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    CliIo io{stdin, out, std::cerr, isatty(STDERR_FILENO) == 1, systemServices};
    io.outputClosed = [&standardOutput] { return standardOutput.readerGone(); };
    const int status = runCli(std::vector<std::string>(argv + 1, argv + argc), io);
    out.flush();
    if (status == kExitOutputClosed || standardOutput.readerGone()) {
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
    }
    return status;
}
