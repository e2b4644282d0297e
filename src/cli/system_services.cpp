// The real system services of the command line. The processor clock takes
// a second to measure and does not change while the program runs, so a
// batch of files measures it once and reuses the text.
#include "cli/system_services.h"

#include <chrono>
#include <iostream>
#include <memory>
#include <optional>
#include <thread>

#include "cli/interrupt.h"
#include "cli/run.h"
#include "platform/memory_budget.h"
#include "solver/local_time.h"
#include "solver/processor_clock.h"

namespace varnokit::cli {

SystemServices systemServices(bool measureClock) {
    auto measured = std::make_shared<std::optional<std::string>>();
    SystemServices services;
    services.monotonicSeconds = [] {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    };
    services.localNow = [] { return localNowDays(); };
    services.formatStartTime = [](double when) { return formatLocalTime(when); };
    services.clockDescription = [measureClock, measured] {
        if (!measureClock) return std::string(kClockNotMeasured);
        if (!measured->has_value()) *measured = varnokit::clockDescription();
        return **measured;
    };
    services.interrupted = [] { return interruptRequested(); };
    services.writeProgress = [](const std::string& text) { std::cerr << text << std::flush; };
    services.sleepMs = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    services.solutionLimit = [] { return solutionLimitForThisMachine(); };
    return services;
}

}  // namespace varnokit::cli
