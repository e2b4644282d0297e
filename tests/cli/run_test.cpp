// runCli in the test process, with string streams for the terminal.
#include <gtest/gtest.h>

#include <sstream>

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

TEST(RunCli, AnUnwritableStandardOutputIsAnError) {
    // A full disk behind standard output must not pass for a finished run.
    std::istringstream in;
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    CliIo io{in, out, err, false, fakeServices};
    EXPECT_EQ(runCli({"solve", kExample}, io), kExitUsage);
    EXPECT_NE(err.str().find("cannot write the standard output"), std::string::npos);
}

TEST(RunCli, StandardInputAndTheHooksOfTheRun) {
    std::istringstream in("1*\r\n*8\r\n**6\r\n8*\r\n *6\r\n 9*\r\n0\r\n");
    std::ostringstream out, err;
    CliIo io{in, out, err, false, fakeServices};
    EXPECT_EQ(runCli({"solve", "-"}, io), kExitSearched) << err.str();
    // The start line and the clock come from the run's services.
    EXPECT_EQ(out.str().rfind("start started\n", 0), 0u) << out.str();
    EXPECT_NE(out.str().find("(clock)\n\n1"), std::string::npos) << out.str();
}

TEST(RunCli, WorseExitRanksUsageThenAbortThenRejection) {
    EXPECT_EQ(worseExit(kExitSearched, kExitRejected), kExitRejected);
    EXPECT_EQ(worseExit(kExitAborted, kExitRejected), kExitAborted);
    EXPECT_EQ(worseExit(kExitAborted, kExitUsage), kExitUsage);
    EXPECT_EQ(worseExit(kExitUsage, kExitSearched), kExitUsage);
}

}  // namespace
}  // namespace varnokit::cli
