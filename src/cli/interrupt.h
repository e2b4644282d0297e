// Ctrl-C for the command line: the first press asks the running search to
// stop the way the Abort button does; a second press ends the program.
#pragma once

namespace varnokit::cli {

void installInterruptHandler();  // SIGINT sets the request, then reverts to the default
bool interruptRequested();       // Ctrl-C has been pressed since the handler was installed

}  // namespace varnokit::cli
