// varnokit-cli: solves problem files from the command line (see --help).
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/interrupt.h"
#include "cli/run.h"
#include "cli/system_services.h"

int main(int argc, char** argv) {
    using namespace varnokit::cli;
    std::ios::sync_with_stdio(false);
    installInterruptHandler();
    CliIo io{stdin, std::cout, std::cerr, isatty(STDERR_FILENO) == 1, systemServices};
    const int status = runCli(std::vector<std::string>(argv + 1, argv + argc), io);
    std::cout.flush();
    return status;
}
