// The memory varnokit-cli takes for tens of millions of solutions, measured
// from outside as the most it held at once: stored solutions take 16 bytes
// each and nothing else grows with them, the report goes to its file as it
// is made, and --count keeps none.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_program.h"
#include "files/scratch_folder.h"

namespace varnokit {
namespace {

using testing::ProgramRun;

const std::string kCli = VARNOKIT_CLI_PATH;
constexpr long kMiB = 1024;  // in the KiB of ProgramRun::peakKib

// Every seven-digit divisor, quotient 1: 9,000,000 solutions.
const std::string kSevenDigits = "*******\r\n1\r\n*******\r\n*******\r\n0\r\n";
// Every eight-digit divisor without a 9: 8 × 9^7 = 38,263,752 solutions.
const std::string kEightDigitsNoNine = "********\r\n1\r\n********\r\n********\r\n0\r\n<!--JOUKEN=9\r\n";

class MemoryTargets : public ::testing::Test {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "the sanitizer's shadow memory hides the program's own; measured in the dev and ci builds";
#endif
        seven_ = folder_.file("seven.txt");
        eight_ = folder_.file("eight.txt");
        testing::writeFileBytes(seven_, kSevenDigits);
        testing::writeFileBytes(eight_, kEightDigitsNoNine);
    }
    ProgramRun run(std::vector<std::string> args, testing::ProgramSetting setting = {}) {
        args.insert(args.begin(), {"solve", "--no-clock"});
        setting.discardOutput = true;  // gigabytes of solutions
        return testing::runProgram(kCli, args, "", 0, setting);
    }
    testing::ScratchFolder folder_;
    std::string seven_, eight_;
};

TEST_F(MemoryTargets, CountingKeepsMemoryFlat) {
    ProgramRun eight = run({"--count", eight_});
    EXPECT_EQ(eight.status, 0) << eight.err;
    EXPECT_LT(eight.peakKib, 50 * kMiB);
    ProgramRun seven = run({"--count", "--engine", "reference", seven_});
    EXPECT_EQ(seven.status, 0) << seven.err;
    EXPECT_LT(seven.peakKib, 50 * kMiB);
}

// 38 million stored once took 1.09 GB (a doubling array), and the report of
// them about twice its own size on top.
// Suites named Long* take more than about 20 seconds (label `long`).
class LongMemoryTargets : public MemoryTargets {};

TEST_F(LongMemoryTargets, ThirtyEightMillionStoredStayUnder700Megabytes) {
    ProgramRun stored = run({"--json", "--engine", "reference", eight_});
    EXPECT_EQ(stored.status, 0) << stored.err;
    EXPECT_LT(stored.peakKib, 700 * kMiB);
    EXPECT_GT(stored.peakKib, 38'263'752L * 16 / 1024) << "they were all stored";

    ProgramRun reported = run({"--json", "--engine", "reference", "--report", "/dev/null", eight_});
    EXPECT_EQ(reported.status, 0) << reported.err;
    EXPECT_LT(reported.peakKib, 700 * kMiB);
}

// Once aborted with bad_alloc and wrote nothing.
TEST_F(LongMemoryTargets, NineMillionWithAReportUnderHalfAGigabyteOfAddressSpace) {
    testing::ProgramSetting limited;
    limited.addressSpace = 512ull << 20;
    const std::string report = folder_.file("report.txt");
    ProgramRun run9 = run({"--json", "--report", report, seven_}, limited);
    EXPECT_EQ(run9.status, 0) << run9.err;
    EXPECT_EQ(run9.signal, 0);
    const std::uintmax_t size = std::filesystem::file_size(report);
    EXPECT_GT(size, 1'000'000'000u);
    // The last solution block and the trailer are there.
    std::FILE* file = std::fopen(report.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fseek(file, -400, SEEK_END);
    std::string tail(400, '\0');
    tail.resize(std::fread(tail.data(), 1, tail.size(), file));
    std::fclose(file);
    EXPECT_NE(tail.find("9999999)9999999\r\n"), std::string::npos) << tail;
    EXPECT_NE(tail.find("solved by Varnokit version 0.5\r\n"), std::string::npos);
    std::filesystem::remove(report);
}

// With less memory than the solutions need, the search stops at the limit
// the program chose and every solution up to it is printed.
TEST_F(MemoryTargets, TooLittleMemoryStopsAtTheLimitAndPrintsEverySolutionKept) {
    testing::ProgramSetting limited;
    limited.addressSpace = 76ull << 20;
    ProgramRun kept = testing::runProgram(kCli, {"solve", "--no-clock", seven_}, "", 0, limited);
    EXPECT_EQ(kept.status, 3) << kept.err;
    const std::string prefix = "記憶できる解の数の上限（";
    const std::size_t at = kept.out.find(prefix);
    ASSERT_NE(at, std::string::npos) << kept.out.substr(0, 300);
    const long limit = std::stol(kept.out.substr(at + prefix.size()));
    EXPECT_GT(limit, 4096);
    EXPECT_LT(limit, 9'000'000);
    const std::string last = "\n" + std::to_string(limit) + "番目／" + std::to_string(limit) + "個中\n";
    EXPECT_NE(kept.out.find(last), std::string::npos) << "the last solution kept is printed";
    EXPECT_NE(kept.out.find(std::to_string(limit) + "個の解があります。"), std::string::npos);
}

}  // namespace
}  // namespace varnokit
