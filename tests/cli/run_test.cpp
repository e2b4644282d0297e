// runCli in the test process, with string streams for the terminal.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <utility>
#include <vector>

#include "cli/run.h"
#include "cli/fake_services.h"
#include "support/text.h"

namespace varnokit::cli {
namespace {

const std::string kExample = std::string(VARNOKIT_TEST_DATA_DIR) + "/../../examples/worked_example.txt";

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

TEST(RunCli, OutputWhoseReaderLeftEndsQuietly) {
    MemoryInput in("");
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    CliIo io{in.file, out, err, false, fakeServices};
    io.outputClosed = [] { return true; };
    EXPECT_EQ(runCli({"solve", kExample, kExample}, io), kExitOutputClosed);
    EXPECT_EQ(err.str(), "");
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

// The text output and status of one run of `solve -` on `bytes`.
struct StdinRun {
    int status;
    std::string out, err;
};
StdinRun solveStdin(const std::string& bytes, std::vector<std::string> extra = {}) {
    MemoryInput in(bytes);
    std::ostringstream out, err;
    CliIo io{in.file, out, err, false, fakeServices};
    std::vector<std::string> args{"solve"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back("-");
    const int status = runCli(args, io);
    return {status, out.str(), err.str()};
}

TEST(RunCli, Utf8FilesSolveAsTheirCp932Twins) {
    const std::string puzzle = "<!--comment\n覆面算\ncomment-->\nイ２\n７８\n９ウ６\n84\n　96\n　96\n0\n";
    const StdinRun cp932 = solveStdin(testing::sjis(puzzle));
    ASSERT_EQ(cp932.status, kExitSearched) << cp932.err;
    ASSERT_NE(cp932.out.find("一意解です。"), std::string::npos) << cp932.out;
    for (const std::string& bytes : {puzzle, "\xEF\xBB\xBF" + puzzle}) {
        const StdinRun utf8 = solveStdin(bytes);
        EXPECT_EQ(utf8.status, kExitSearched) << utf8.err;
        EXPECT_EQ(utf8.out, cp932.out);
        EXPECT_EQ(utf8.err, "");
    }
    // The report keeps the notes, in cp932 like every report.
    const StdinRun report = solveStdin("\xEF\xBB\xBF" + puzzle, {"--report-stdout"});
    EXPECT_NE(report.out.find("覆面算"), std::string::npos) << report.out;
}

TEST(RunCli, FilesThatAreNotTextSaySo) {
    const StdinRun emoji = solveStdin("12\n78\n936\n#😀 メモ\n");
    EXPECT_EQ(emoji.status, kExitUsage);
    EXPECT_NE(emoji.err.find("「😀」"), std::string::npos) << emoji.err;
    EXPECT_EQ(emoji.out, "");

    const StdinRun broken = solveStdin("\xEF\xBB\xBF" "12\n78\n#\xE3\x82\n");
    EXPECT_EQ(broken.status, kExitUsage);
    EXPECT_NE(broken.err.find("neither Shift-JIS (cp932) nor UTF-8"), std::string::npos) << broken.err;

    // A cp932 file with a stray byte in its notes is solved as before, with a warning.
    const StdinRun stray = solveStdin("#\xFF\r\n1*\r\n*8\r\n**6\r\n8*\r\n *6\r\n 9*\r\n0\r\n");
    EXPECT_EQ(stray.status, kExitSearched);
    EXPECT_NE(stray.err.find("warning: the file is neither"), std::string::npos) << stray.err;
    EXPECT_NE(stray.out.find("一意解です。"), std::string::npos) << stray.out;
}

TEST(RunCli, WorseExitRanksUsageThenAbortThenRejection) {
    EXPECT_EQ(worseExit(kExitSearched, kExitRejected), kExitRejected);
    EXPECT_EQ(worseExit(kExitAborted, kExitRejected), kExitAborted);
    EXPECT_EQ(worseExit(kExitAborted, kExitUsage), kExitUsage);
    EXPECT_EQ(worseExit(kExitUsage, kExitSearched), kExitUsage);
}

}  // namespace
}  // namespace varnokit::cli
