// runCli in the test process, with string streams for the terminal.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <utility>

#include "cli/run.h"

namespace varnokit::cli {
namespace {

const std::string kExample = std::string(VARNOKIT_TEST_DATA_DIR) + "/../../examples/worked_example.txt";

SystemServices fakeServices(bool) {
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

// Standard input holding `bytes`, closed at the end of the test.
struct MemoryInput {
    explicit MemoryInput(std::string bytes) : text(std::move(bytes)) {
        file = fmemopen(text.data(), text.size(), "r");
    }
    ~MemoryInput() {
        if (file) std::fclose(file);
    }
    std::string text;
    std::FILE* file = nullptr;
};

TEST(RunCli, AnUnwritableStandardOutputIsAnError) {
    // A full disk behind standard output must not pass for a finished run.
    MemoryInput in("");
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    CliIo io{in.file, out, err, false, fakeServices};
    EXPECT_EQ(runCli({"solve", kExample}, io), kExitUsage);
    EXPECT_NE(err.str().find("cannot write the standard output"), std::string::npos);
}

TEST(RunCli, StandardInputAndTheHooksOfTheRun) {
    MemoryInput in("1*\r\n*8\r\n**6\r\n8*\r\n *6\r\n 9*\r\n0\r\n");
    std::ostringstream out, err;
    CliIo io{in.file, out, err, false, fakeServices};
    EXPECT_EQ(runCli({"solve", "-"}, io), kExitSearched) << err.str();
    // The start line and the clock come from the run's services.
    EXPECT_EQ(out.str().rfind("start started\n", 0), 0u) << out.str();
    EXPECT_NE(out.str().find("(clock)\n\n1"), std::string::npos) << out.str();
}

TEST(RunCli, EndlessStandardInputIsRefusedAtItsFirstLongLine) {
    // Eight megabytes without a line end: refused as soon as a line passes
    // 126 bytes, not read whole into memory first.
    MemoryInput in(std::string(8 << 20, 'y'));
    std::ostringstream out, err;
    CliIo io{in.file, out, err, false, fakeServices};
    EXPECT_EQ(runCli({"solve", "-"}, io), kExitUsage);
    EXPECT_NE(err.str().find("-: 入力ファイルの行が長すぎます"), std::string::npos) << err.str();
    EXPECT_LT(std::ftell(in.file), 1 << 20);
}

TEST(RunCli, WorseExitRanksUsageThenAbortThenRejection) {
    EXPECT_EQ(worseExit(kExitSearched, kExitRejected), kExitRejected);
    EXPECT_EQ(worseExit(kExitAborted, kExitRejected), kExitAborted);
    EXPECT_EQ(worseExit(kExitAborted, kExitUsage), kExitUsage);
    EXPECT_EQ(worseExit(kExitUsage, kExitSearched), kExitUsage);
}

}  // namespace
}  // namespace varnokit::cli
