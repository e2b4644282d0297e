// Processor clock measurement with the x86 identification instruction and
// the time-stamp counter; other processors get the "cannot measure" text.
#include "solver/processor_clock.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "solver/messages.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define VARNOKIT_HAS_TSC_PROBE 1
#endif

namespace varnokit {

uint32_t lowWordCycles(uint64_t before, uint64_t after) {
    return static_cast<uint32_t>(after) - static_cast<uint32_t>(before);
}

std::string clockTextForCycles(uint32_t cycles) {
    char text[32];
    std::snprintf(text, sizeof text, "%d MHz", static_cast<int>(cycles / 1000 / 1000));
    return text;
}

std::string clockDescription() {
#ifdef VARNOKIT_HAS_TSC_PROBE
    // __get_cpuid checks that the identification instruction exists (the
    // flags-register test on 32-bit processors) before querying leaf 1.
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (edx & 0x10) != 0) {
        const uint64_t before = __rdtsc();
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        const uint64_t after = __rdtsc();
        return clockTextForCycles(lowWordCycles(before, after));
    }
#endif
    return kClockUnavailableMessage;
}

}  // namespace varnokit
