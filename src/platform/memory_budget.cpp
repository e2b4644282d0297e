// Reading the memory limits of the machine, the control group and the process.
#include "platform/memory_budget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <sstream>

#include "model/solution_list.h"

namespace varnokit {
namespace {

constexpr uint64_t kReservedBytes = uint64_t{64} << 20;

// A number from a one-line file such as memory.max ("max" reads as 0).
uint64_t numberInFile(const std::string& path) {
    std::ifstream in(path);
    uint64_t value = 0;
    if (!(in >> value)) return 0;
    return value;
}

// MemAvailable of /proc/meminfo, in bytes.
uint64_t memAvailable() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    uint64_t kib = 0;
    std::string unit;
    while (in >> key >> kib) {
        std::getline(in, unit);
        if (key == "MemAvailable:") return kib * 1024;
    }
    const long pages = ::sysconf(_SC_AVPHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : 0;
}

// The folder of this process's control group (version 2), or "".
std::string groupFolder() {
    std::ifstream in("/proc/self/cgroup");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("0::", 0) == 0) return "/sys/fs/cgroup" + line.substr(3);
    }
    return {};
}

uint64_t limitOf(int resource) {
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 0;
    return limit.rlim_cur;
}

}  // namespace

MemoryFacts readMemoryFacts() {
    MemoryFacts facts;
    facts.machineAvailable = memAvailable();
    const std::string group = groupFolder();
    if (!group.empty()) {
        facts.groupLimit = numberInFile(group + "/memory.max");
        facts.groupUsage = numberInFile(group + "/memory.current");
    }
    facts.addressLimit = limitOf(RLIMIT_AS);
    facts.dataLimit = limitOf(RLIMIT_DATA);
    // /proc/self/statm: size resident shared text lib data dt, in pages.
    std::ifstream statm("/proc/self/statm");
    uint64_t size = 0, resident = 0, shared = 0, text = 0, lib = 0, data = 0;
    if (statm >> size >> resident >> shared >> text >> lib >> data) {
        const uint64_t page = static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
        facts.addressUsed = size * page;
        facts.dataUsed = data * page;
    }
    return facts;
}

uint64_t availableMemory(const MemoryFacts& facts) {
    uint64_t room = facts.machineAvailable > 0 ? facts.machineAvailable : UINT64_MAX;
    auto within = [&room](uint64_t limit, uint64_t used) {
        if (limit > 0) room = std::min(room, limit > used ? limit - used : 0);
    };
    within(facts.groupLimit, facts.groupUsage);
    within(facts.addressLimit, facts.addressUsed);
    within(facts.dataLimit, facts.dataUsed);
    return room;
}

int64_t solutionLimitFor(const MemoryFacts& facts) {
    const uint64_t room = availableMemory(facts);
    const uint64_t usable = room > kReservedBytes ? (room - kReservedBytes) / 5 * 4 : 0;
    const uint64_t solutions = usable / sizeof(StoredSolution);
    return static_cast<int64_t>(std::clamp<uint64_t>(solutions, 4096, INT_MAX));
}

int64_t solutionLimitForThisMachine() { return solutionLimitFor(readMemoryFacts()); }

}  // namespace varnokit
