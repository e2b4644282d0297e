// The built varnokit-cli against what a shell can hand it: Ctrl-C and a
// timeout in the middle of a search that would run for years, a FIFO that
// no program writes to (and one that is written), folders and huge files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

#include "cli/run_program.h"
#include "files/problem_file.h"
#include "files/scratch_folder.h"
#include "hostile/layouts.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::ProgramRun;
using testing::runProgram;

const std::string kCli = VARNOKIT_CLI_PATH;

// The problem file of a 12-digit divisor and 6-digit quotient, every cell '*'.
std::string hugeSearchFile(const std::string& folder) {
    const PuzzleInput input = testing::allStarLayout(12, 6);
    ProblemBoxes boxes;
    boxes.divisor = input.divisor;
    boxes.quotient = input.quotient;
    boxes.body = input.bodyLines;
    const std::string path = folder + "/huge.txt";
    std::string bytes;
    EXPECT_EQ(formatProblemFile(boxes, bytes), FileStatus::Ok);
    testing::writeFileBytes(path, bytes);
    return path;
}

/* --- Stopping a search --- */

// The search's own time from the timing line "  所要時間: 0.633秒(…)": the
// program then still prints every solution found so far (tens of
// thousands here), which takes seconds of its own.
double searchSeconds(const std::string& out) {
    const std::string prefix = "所要時間: ";
    const std::size_t at = out.find(prefix);
    if (at == std::string::npos) return 1e9;
    return std::stod(out.substr(at + prefix.size()));
}

TEST(CliHostile, CtrlCEndsTheLargestSearchWithinASecond) {
    testing::ScratchFolder folder;
    const std::string file = hugeSearchFile(folder.path().string());
    for (const char* engine : {"fast", "reference"}) {
        ProgramRun run = runProgram(kCli, {"solve", "--no-clock", "--engine", engine, file}, "", 0.5);
        EXPECT_EQ(run.status, 3) << run.err;
        EXPECT_LT(searchSeconds(run.out), 0.5 + 1.0) << engine;
        EXPECT_NE(run.out.find("中止されました！"), std::string::npos) << engine;
    }
}

TEST(CliHostile, TimeoutEndsTheLargestSearchWithinASecond) {
    testing::ScratchFolder folder;
    const std::string file = hugeSearchFile(folder.path().string());
    ProgramRun run = runProgram(kCli, {"solve", "--no-clock", "--timeout", "0.5", file});
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_LT(searchSeconds(run.out), 0.5 + 1.0);
    EXPECT_NE(run.out.find("中止されました！"), std::string::npos);
}

/* --- What is given as the file --- */

TEST(CliHostile, FifoWithoutWriterWaitsOnlyUntilCtrlC) {
    testing::ScratchFolder folder;
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ProgramRun run = runProgram(kCli, {"solve", "--no-clock", fifo}, "", 0.5);
    EXPECT_EQ(run.status, 2);
    EXPECT_LT(run.seconds, 2.0);
    EXPECT_NE(run.err.find("入力ファイルを開けません"), std::string::npos) << run.err;
}

TEST(CliHostile, FifoWithAWriterIsSolvedAsUsual) {
    testing::ScratchFolder folder;
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&fifo] { testing::writeFileBytes(fifo, "12\r\n78\r\n936\r\n84\r\n 96\r\n 96\r\n0\r\n"); });
    ProgramRun run = runProgram(kCli, {"solve", "--no-clock", fifo});
    writer.join();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("一意解です。"), std::string::npos) << run.out;
}

TEST(CliHostile, FolderMissingFileAndLongLinesAreFileErrors) {
    testing::ScratchFolder scratch;
    const std::string folder = scratch.path().string();
    testing::writeFileBytes(folder + "/long.txt", "12\r\n" + std::string(500, '7') + "\r\n");
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {folder, "入力ファイルを開けません"},
        {folder + "/missing.txt", "入力ファイルを開けません"},
        {folder + "/long.txt", "入力ファイルの行が長すぎます"},
        {"/proc/self/mem", "入力ファイルを読めません"},
    };
    for (const auto& c : cases) {
        ProgramRun run = runProgram(kCli, {"solve", "--no-clock", c.file});
        EXPECT_EQ(run.status, 2) << c.file;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.file << ": " << run.err;
    }
}

}  // namespace
}  // namespace varnokit
