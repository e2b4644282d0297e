// A command line's view of the system for tests: a stopped clock, fixed
// start-time and clock texts, no Ctrl-C, no progress output, no waiting.
#pragma once

#include <string>

#include "cli/terminal_hooks.h"

namespace varnokit::cli {

inline SystemServices fakeServices(bool /*interactive*/ = false) {
    SystemServices s;
    s.monotonicSeconds = [] { return 0.0; };
    s.localNow = [] { return 46000.0; };
    s.formatStartTime = [](double) { return std::string("start"); };
    s.clockDescription = [] { return std::string("clock"); };
    s.interrupted = [] { return false; };
    s.writeProgress = [](const std::string&) {};
    s.sleepMs = [](int) {};
    return s;
}

}  // namespace varnokit::cli
