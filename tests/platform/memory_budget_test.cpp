// The solution limit follows the tightest of the machine's, the control
// group's and the process's limits; and where memory runs out anyway, the
// search stops like Abort and keeps every solution it stored.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <fstream>

#include "platform/memory_budget.h"
#include "solver/fake_hooks.h"
#include "solver/messages.h"
#include "solver/solve.h"

namespace varnokit {
namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;
constexpr uint64_t kGiB = uint64_t{1} << 30;

TEST(MemoryBudget, TheTightestLimitDecides) {
    MemoryFacts facts;
    facts.machineAvailable = 20 * kGiB;
    EXPECT_EQ(availableMemory(facts), 20 * kGiB);
    facts.groupLimit = 8 * kGiB;
    facts.groupUsage = 3 * kGiB;
    EXPECT_EQ(availableMemory(facts), 5 * kGiB);
    // `ulimit -v 512M` with 20 MiB of address space in use.
    facts.addressLimit = 512 * kMiB;
    facts.addressUsed = 20 * kMiB;
    EXPECT_EQ(availableMemory(facts), 492 * kMiB);
    facts.dataLimit = 300 * kMiB;
    facts.dataUsed = 400 * kMiB;  // already over: nothing left
    EXPECT_EQ(availableMemory(facts), 0u);
}

TEST(MemoryBudget, SolutionLimitLeavesRoomForEverythingElse) {
    MemoryFacts facts;
    facts.machineAvailable = 20 * kGiB;
    facts.addressLimit = 512 * kMiB;
    facts.addressUsed = 20 * kMiB;
    // (492 - 64) MiB, four fifths of it, 16 bytes a solution: about 22 million,
    // room for the 9 million of a seven-digit divisor.
    const int64_t limit = solutionLimitFor(facts);
    EXPECT_EQ(limit, static_cast<int64_t>((492 - 64) * kMiB / 5 * 4 / 16));
    EXPECT_GT(limit, 9'000'000);
    // A machine with room for more than INT_MAX, and one with almost none.
    EXPECT_EQ(solutionLimitFor(MemoryFacts{uint64_t{1} << 40}), INT_MAX);
    EXPECT_EQ(solutionLimitFor(MemoryFacts{10 * kMiB}), 4096);
}

TEST(MemoryBudget, ThisMachineGivesARealLimit) {
    const MemoryFacts facts = readMemoryFacts();
    EXPECT_GT(facts.machineAvailable, 0u);
    EXPECT_GT(facts.addressUsed, 0u);
    EXPECT_GE(solutionLimitForThisMachine(), 4096);
}

// In a child process whose address space is capped at what it uses now plus
// `room`, solves the seven-digit puzzle with 9 million solutions and no
// solution limit; reports what it kept through a pipe.
struct Stopped {
    SolveOutcome outcome = SolveOutcome::Rejected;
    int64_t count = 0;
    int64_t lastDivisor = 0;
    bool messageLogged = false;
};

Stopped solveWithLittleMemory(uint64_t room) {
    int channel[2];
    Stopped result;
    if (::pipe(channel) != 0) return result;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = readMemoryFacts().addressUsed + room;
        ::setrlimit(RLIMIT_AS, &limit);
        PuzzleState state;
        state.solutions.setLimit(INT_MAX);  // only memory stops it
        testing::FakeHooks hooks(&state);
        Stopped found;
        const PuzzleInput input{"*******", "1", {"*******", "*******", "0"}, ""};
        found.outcome = solve(state, input, hooks, SolveOptions{false, SearchEngine::Reference});
        found.count = state.solutions.count();
        if (found.count > 0) found.lastDivisor = state.solutions.at(found.count - 1).divisor;
        for (const std::string& line : hooks.log) found.messageLogged |= line == kOutOfMemoryMessage;
        (void)::write(channel[1], &found, sizeof found);
        ::_exit(0);
    }
    ::close(channel[1]);
    if (::read(channel[0], &result, sizeof result) != static_cast<ssize_t>(sizeof result)) result.count = -1;
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return result;
}

TEST(MemoryBudget, RunningOutOfMemoryStopsTheSearchAndKeepsWhatItFound) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address-space limit";
#endif
    // 64 MiB of room: about four million solutions fit, not nine.
    const Stopped stopped = solveWithLittleMemory(64 * kMiB);
    ASSERT_GT(stopped.count, 0) << "the child did not report (it crashed?)";
    EXPECT_EQ(stopped.outcome, SolveOutcome::Aborted);
    EXPECT_TRUE(stopped.messageLogged);
    EXPECT_LT(stopped.count, 9'000'000);
    EXPECT_GT(stopped.count, 100'000);
    // Kept in order and without gaps: divisors 1000000, 1000001, …
    EXPECT_EQ(stopped.lastDivisor, 1'000'000 + stopped.count - 1);
}

}  // namespace
}  // namespace varnokit
