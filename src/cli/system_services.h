// The real system behind the terminal hooks: clocks, the local time of the
// start line, the processor clock (measured at most once per process),
// Ctrl-C and standard error.
#pragma once

#include "cli/terminal_hooks.h"

namespace varnokit::cli {

// measureClock false (--no-clock): the clock text is kClockNotMeasured and
// the one-second measurement never runs.
SystemServices systemServices(bool measureClock);

}  // namespace varnokit::cli
