// Running compose, minimise and repair from the command line.
#pragma once

#include <string>
#include <vector>

#include "cli/run.h"

namespace varnokit::cli {

// args[0] is the command's name. Returns the exit status: 0 done, 1 the
// puzzle cannot be used (refused by the checks, not unique, no solution),
// 2 a usage or file error, 3 stopped by --timeout or Ctrl-C.
int runComposeCli(const std::vector<std::string>& args, CliIo& io);

}  // namespace varnokit::cli
