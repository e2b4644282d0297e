// The SIGINT handler. A signal handler can only reach static storage, so the
// request is the one process-wide flag of the program; nothing else is global.
#include "cli/interrupt.h"

#include <csignal>

namespace varnokit::cli {
namespace {

volatile std::sig_atomic_t interruptFlag = 0;

extern "C" void onInterrupt(int) { interruptFlag = 1; }

}  // namespace

void installInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // One press stops the search; should the search not reach its progress
    // check soon, the second press gets the default action and ends the program.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
}

bool interruptRequested() { return interruptFlag != 0; }

}  // namespace varnokit::cli
