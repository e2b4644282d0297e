// How much memory this process can still take before the system refuses it
// (an address-space limit, `ulimit -v`) or kills it (a full machine or a
// container's limit), and how many solutions that leaves room for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnokit {

// What the figures come from; the real ones are read from /proc, /sys and
// getrlimit, the tests give their own. 0 in a field: no such limit.
struct MemoryFacts {
    uint64_t machineAvailable = 0;  // MemAvailable: what the machine can give without swapping
    uint64_t groupLimit = 0;        // the control group's memory.max
    uint64_t groupUsage = 0;        // the control group's memory.current
    uint64_t addressLimit = 0;      // RLIMIT_AS
    uint64_t addressUsed = 0;       // this process's address space now
    uint64_t dataLimit = 0;         // RLIMIT_DATA
    uint64_t dataUsed = 0;          // this process's data segment now
};

MemoryFacts readMemoryFacts();

// The bytes still available: the smallest of the room the machine, the
// control group and the two process limits leave.
uint64_t availableMemory(const MemoryFacts& facts);

// How many solutions a search may store: four fifths of what is available
// after 64 MiB kept for everything else, at 16 bytes a solution; at least
// 4096, at most INT_MAX.
int64_t solutionLimitFor(const MemoryFacts& facts);

// The same for this process now.
int64_t solutionLimitForThisMachine();

}  // namespace varnokit
