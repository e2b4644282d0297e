// Problem files nobody meant to give the program: bytes that are not cp932,
// NUL and Ctrl-Z bytes, a million lines, binary data, FIFOs without a
// writer, unreadable files and a disk that fills up while saving.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

#include "files/problem_file.h"
#include "files/report.h"
#include "platform/file_saving.h"
#include "files/scratch_folder.h"
#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "support/text.h"

namespace varnokit {
namespace {

namespace fs = std::filesystem;
using testing::FakeHooks;
using testing::readBytes;
using testing::ScratchFolder;
using testing::sjis;
using testing::writeBytes;
using Clock = std::chrono::steady_clock;

// What Solve makes of the boxes a file loaded into.
struct Solved {
    PuzzleState state;
    FakeHooks hooks{&state};
    SolveOutcome outcome;
    explicit Solved(const ProblemBoxes& boxes)
        : outcome(solve(state, PuzzleInput{boxes.divisor, boxes.quotient, boxes.body, boxes.condition},
                        hooks, SolveOptions{false, SearchEngine::Reference})) {}
};

const std::string kWorkedBody = "936\r\n84\r\n 96\r\n 96\r\n0\r\n";

/* --- Bytes inside lines --- */

TEST(HostileBytes, InvalidCp932IsKeptByteForByteAndRefusedBySolve) {
    // A lone lead byte at the end, a lead byte with a bad trail byte, and the
    // single bytes cp932 has no character for.
    for (const std::string& bad : {std::string("1\x81"), std::string("\x81\x7f" "2"), std::string("1\x80"),
                                  std::string("1\xa0"), std::string("\xfd" "2"), std::string("1\xfe"),
                                  std::string("\xff" "2")}) {
        const std::string file = bad + "\r\n78\r\n" + kWorkedBody + "<!--comment\r\n" + bad + "\r\ncomment-->\r\n";
        ProblemBoxes boxes;
        ASSERT_EQ(parseProblemFile(file, boxes), FileStatus::Ok);
        EXPECT_EQ(boxes.divisor, bad);
        EXPECT_EQ(boxes.notes, std::vector<std::string>{bad});
        std::string saved;
        ASSERT_EQ(formatProblemFile(boxes, saved), FileStatus::Ok);
        ProblemBoxes again;
        ASSERT_EQ(parseProblemFile(saved, again), FileStatus::Ok);
        EXPECT_EQ(again.divisor, bad);

        Solved solved(boxes);
        EXPECT_EQ(solved.outcome, SolveOutcome::Rejected) << testing::utf8(bad);
        EXPECT_EQ(solved.state.solutions.count(), 0);
        ASSERT_EQ(solved.hooks.log.size(), 3u);
        EXPECT_EQ(solved.hooks.log[1], sjis("解はありません。"));
        EXPECT_EQ(solved.hooks.log[2], sjis("除数に使えない文字がある。")) << testing::utf8(solved.hooks.log[2]);
    }
}

TEST(HostileBytes, NulInALineStaysInThatLineAndIsRefused) {
    const std::string file = std::string("12\r\n7\0" "8\r\n", 9) + kWorkedBody;
    ProblemBoxes boxes;
    ASSERT_EQ(parseProblemFile(file, boxes), FileStatus::Ok);
    EXPECT_EQ(boxes.quotient, std::string("7\0" "8", 3));
    EXPECT_EQ(boxes.body.size(), 5u);
    Solved solved(boxes);
    EXPECT_EQ(solved.outcome, SolveOutcome::Rejected);
    EXPECT_EQ(solved.state.solutions.count(), 0);
}

TEST(HostileBytes, CtrlZInTheMiddleEndsTheFileThere) {
    const std::string file = "12\r\n78\r\n936\r\n8\x1a" "4\r\n 96\r\n 96\r\n0\r\n";
    ProblemBoxes boxes;
    ASSERT_EQ(parseProblemFile(file, boxes), FileStatus::Ok);
    EXPECT_EQ(boxes.body, (std::vector<std::string>{"936", "8"}));
    Solved solved(boxes);
    EXPECT_EQ(solved.outcome, SolveOutcome::Rejected);
    EXPECT_EQ(solved.hooks.log[2], sjis("被除数以下の行数が足りない。被除数以下の行数が奇数でない。"));
}

TEST(HostileBytes, OverLongLinesAreRefusedByTheReaderAndByTheParser) {
    ProblemBoxes boxes;
    EXPECT_EQ(parseProblemFile("12\r\n" + std::string(127, '7') + "\r\n", boxes), FileStatus::LineTooLong);
    // A line the reader takes (126 bytes) is still far too long for a row.
    const std::string line(126, '9');
    ASSERT_EQ(parseProblemFile("12\r\n78\r\n" + line + "\r\n84\r\n 96\r\n 96\r\n0\r\n", boxes), FileStatus::Ok);
    Solved solved(boxes);
    EXPECT_EQ(solved.outcome, SolveOutcome::Rejected);
    EXPECT_NE(solved.hooks.log[2].find(sjis("長すぎる")), std::string::npos) << testing::utf8(solved.hooks.log[2]);
}

/* --- Sizes and kinds of file --- */

TEST(HostileFiles, AMillionLinesAreRefusedAfterTheLineLimit) {
    ScratchFolder folder;
    for (const std::string& line : {std::string("1\r\n"), std::string("\r\n")}) {
        std::string bytes;
        for (int i = 0; i < 1'000'000; ++i) bytes += line;
        writeBytes(folder.file("million.txt"), bytes);
        ProblemBoxes boxes;
        EXPECT_EQ(readProblemFile(folder.file("million.txt"), boxes), FileStatus::TooManyLines);
        const std::size_t kept = boxes.notes.size() + boxes.body.size() + (boxes.divisor.empty() ? 0 : 1) +
                                 (boxes.quotient.empty() ? 0 : 1);
        EXPECT_EQ(kept, static_cast<std::size_t>(kMaxProblemFileLines));
    }
}

TEST(HostileFiles, AnEndlessStreamOfEmptyLinesStopsAtTheLineLimit) {
    // Two gigabytes of line feeds once took 53 bytes of memory per byte read.
    std::FILE* endless = ::popen("yes ''", "r");
    ASSERT_NE(endless, nullptr);
    ProblemBoxes boxes;
    EXPECT_EQ(readProblemStream(endless, boxes), FileStatus::TooManyLines);
    ::pclose(endless);
    EXPECT_EQ(boxes.notes.size(), static_cast<std::size_t>(kMaxProblemFileLines));
}

TEST(HostileFiles, BinaryFileLoadsUpToItsFirstCtrlZOrIsRefused) {
    std::mt19937 random(7);
    std::string bytes;
    for (int i = 0; i < 1 << 20; ++i) bytes += static_cast<char>(random() & 0xFF);
    ScratchFolder folder;
    writeBytes(folder.file("binary.bin"), bytes);
    ProblemBoxes fromFile;
    const FileStatus status = readProblemFile(folder.file("binary.bin"), fromFile);
    EXPECT_TRUE(status == FileStatus::Ok || status == FileStatus::LineTooLong);
    // Exactly what the bytes before the first Ctrl-Z give.
    ProblemBoxes fromPrefix;
    EXPECT_EQ(parseProblemFile(bytes.substr(0, bytes.find('\x1a')), fromPrefix), status);
    EXPECT_EQ(fromFile.body, fromPrefix.body);
    EXPECT_EQ(fromFile.notes, fromPrefix.notes);
    for (const std::string& line : fromFile.body) EXPECT_LE(line.size(), kMaxProblemLineBytes);
    Solved solved(fromFile);
    EXPECT_EQ(solved.outcome, SolveOutcome::Rejected);
}

TEST(HostileFiles, FolderFifoAndDeviceAreRefusedByTheWindowsReader) {
    ScratchFolder folder;
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ProblemBoxes boxes;
    // No writer ever opens the FIFO: opening it for reading would wait forever.
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(readRegularProblemFile(fifo, boxes), FileStatus::CannotOpenInput);
    EXPECT_EQ(readRegularProblemFile(folder.path().string(), boxes), FileStatus::CannotOpenInput);
    EXPECT_EQ(readRegularProblemFile("/dev/zero", boxes), FileStatus::CannotOpenInput);
    EXPECT_EQ(readRegularProblemFile(folder.file("missing.txt"), boxes), FileStatus::CannotOpenInput);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    // A regular file, also through a link, loads as before.
    writeBytes(folder.file("p.txt"), "12\r\n78\r\n" + kWorkedBody);
    fs::create_symlink(folder.file("p.txt"), folder.file("link.txt"));
    EXPECT_EQ(readRegularProblemFile(folder.file("link.txt"), boxes), FileStatus::Ok);
    EXPECT_EQ(boxes.quotient, "78");
}

TEST(HostileFiles, UnreadableAndVanishedFiles) {
    ProblemBoxes boxes;
    // Opens, but every read fails (EIO): the process's own memory at address 0.
    EXPECT_EQ(readProblemFile("/proc/self/mem", boxes), FileStatus::ReadError);
    ScratchFolder folder;
    const std::string path = folder.file("gone.txt");
    writeBytes(path, "12\r\n");
    fs::remove(path);  // chosen in the dialog, removed before it was opened
    EXPECT_EQ(readProblemFile(path, boxes), FileStatus::CannotOpenInput);
    if (::geteuid() != 0) {
        writeBytes(path, "12\r\n");
        ::chmod(path.c_str(), 0);
        EXPECT_EQ(readProblemFile(path, boxes), FileStatus::CannotOpenInput);
    }
}

/* --- A disk that fills up --- */

// A 64 KiB tmpfs mounted for one test, unmounted afterwards.
class SmallDisk : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root; the full-disk case is not run";
        if (::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "this system refuses to mount a tmpfs here; the full-disk case is not run";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount(folder_.path().c_str());
    }
    // Fills the disk to its last byte with a file of its own.
    void fill() {
        std::FILE* file = std::fopen(folder_.file("filler").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        const std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), file) == block.size() && std::fflush(file) == 0) {
        }
        std::fclose(file);
        std::FILE* probe = std::fopen(folder_.file("probe").c_str(), "wb");
        ASSERT_NE(probe, nullptr);
        std::fputc('x', probe);
        EXPECT_NE(std::fclose(probe), 0) << "the disk is full";
        fs::remove(folder_.file("probe"));
    }
    ScratchFolder folder_;
    bool mounted_ = false;
};

ProblemBoxes bigPuzzle() {
    ProblemBoxes boxes;
    for (int i = 0; i < 2000; ++i) boxes.notes.push_back(std::string(100, 'n'));
    boxes.divisor = "12";
    boxes.quotient = "78";
    boxes.body = {"936", "84", " 96", " 96", "0"};
    return boxes;
}

TEST_F(SmallDisk, SavingAProblemLeavesTheOldFileWhole) {
    const std::string path = folder_.file("puzzle.txt");
    writeBytes(path, "12\r\n78\r\n" + kWorkedBody);
    fill();
    EXPECT_EQ(writeProblemFile(path, bigPuzzle()), FileStatus::WriteError);
    EXPECT_EQ(readBytes(path), "12\r\n78\r\n" + kWorkedBody);
    EXPECT_EQ(folder_.entryCount(), 2) << "no temporary file is left behind";
}

TEST_F(SmallDisk, AppendingAReportLeavesTheOldReportWhole) {
    const std::string path = folder_.file("report.txt");
    writeBytes(path, "earlier report\r\n");
    fill();
    Solved solved(bigPuzzle());
    ASSERT_EQ(solved.state.solutions.count(), 1);
    const std::vector<std::string> log(3000, std::string(60, 'l'));
    EXPECT_EQ(writeReport(path, ReportMode::Append, solved.state, bigPuzzle().notes, log), FileStatus::WriteError);
    EXPECT_EQ(readBytes(path), "earlier report\r\n");
    EXPECT_EQ(writeReport(path, ReportMode::Overwrite, solved.state, bigPuzzle().notes, log), FileStatus::WriteError);
    EXPECT_EQ(readBytes(path), "earlier report\r\n");
}

TEST(FullDevice, DevFullIsWrittenInPlaceAndNeverReplaced) {
    Solved solved(bigPuzzle());
    struct stat before {};
    ASSERT_EQ(::stat("/dev/full", &before), 0);
    EXPECT_EQ(writeProblemFile("/dev/full", bigPuzzle()), FileStatus::WriteError);
    EXPECT_EQ(writeReport("/dev/full", ReportMode::Overwrite, solved.state, {}, {}), FileStatus::WriteError);
    EXPECT_EQ(writeReport("/dev/full", ReportMode::Append, solved.state, {}, {}), FileStatus::WriteError);
    struct stat after {};
    ASSERT_EQ(::stat("/dev/full", &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_rdev, before.st_rdev);
}

}  // namespace
}  // namespace varnokit
