// OutputFile under the faults it exists for: a program killed part-way
// (SIGKILL) leaves the old file or the whole new one and no temporary file;
// a FIFO whose reader leaves is a write error, not a silent death by SIGPIPE.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "files/scratch_folder.h"
#include "platform/output_file.h"

namespace varnokit {
namespace {

using testing::readBytes;
using testing::ScratchFolder;
using testing::writeBytes;

const std::string kOld = "the old report\r\n";

// 40 blocks of 1 MiB, each of its own letter, so a cut shows wherever it falls.
std::string block(int index) { return std::string(1 << 20, static_cast<char>('a' + index % 26)); }
constexpr int kBlocks = 40;

std::string wholeNewContent() {
    std::string all;
    for (int i = 0; i < kBlocks; ++i) all += block(i);
    return all;
}

// Writes the blocks in a child process, a little at a time, and kills it
// `afterMs` after it has opened the file (or lets it finish when negative).
// Returns whether the child was killed before it finished.
bool writeInChildAndKill(const std::string& path, OutputFile::Mode mode, int afterMs) {
    int ready[2];
    if (::pipe(ready) != 0) return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        OutputFile file;
        if (file.open(path, mode) != FileStatus::Ok) ::_exit(2);
        (void)::write(ready[1], "o", 1);
        for (int i = 0; i < kBlocks; ++i) {
            if (!file.write(block(i))) ::_exit(3);
            ::usleep(5000);
        }
        ::_exit(file.commit() == FileStatus::Ok ? 0 : 4);
    }
    ::close(ready[1]);
    char opened = 0;
    EXPECT_EQ(::read(ready[0], &opened, 1), 1);
    ::close(ready[0]);
    if (afterMs >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (afterMs < 0) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    return WIFSIGNALED(status);
}

TEST(OutputFile, KilledPartWayLeavesTheOldFileOrTheWholeNewOneAndNoTemporary) {
    const std::string whole = wholeNewContent();
    for (OutputFile::Mode mode : {OutputFile::Mode::Append, OutputFile::Mode::Replace}) {
        const std::string complete = mode == OutputFile::Mode::Append ? kOld + whole : whole;
        int killed = 0;
        for (int afterMs : {0, 20, 60, 120, 180, -1}) {
            ScratchFolder folder;
            const std::string path = folder.file("report.txt");
            writeBytes(path, kOld);
            killed += writeInChildAndKill(path, mode, afterMs) ? 1 : 0;
            const std::string now = readBytes(path);
            EXPECT_TRUE(now == kOld || now == complete)
                << "killed after " << afterMs << " ms: " << now.size() << " bytes";
            if (afterMs < 0) {
                EXPECT_EQ(now, complete);
            }
            EXPECT_EQ(folder.entryCount(), 1) << "killed after " << afterMs << " ms";
        }
        EXPECT_GE(killed, 4) << "the kills should fall while the blocks are written";
    }
}

TEST(OutputFile, UncommittedWritesLeaveTheOldFileAsItWas) {
    ScratchFolder folder;
    const std::string path = folder.file("report.txt");
    writeBytes(path, kOld);
    ::chmod(path.c_str(), 0640);
    {
        OutputFile file;
        ASSERT_EQ(file.open(path, OutputFile::Mode::Append), FileStatus::Ok);
        EXPECT_TRUE(file.write(block(0)));
        EXPECT_EQ(folder.entryCount(), 1) << "the new file has no name while it is written";
    }
    EXPECT_EQ(readBytes(path), kOld);
    EXPECT_EQ(folder.entryCount(), 1);

    OutputFile file;
    ASSERT_EQ(file.open(path, OutputFile::Mode::Append), FileStatus::Ok);
    EXPECT_TRUE(file.write("more\r\n"));
    ASSERT_EQ(file.commit(), FileStatus::Ok);
    EXPECT_EQ(readBytes(path), kOld + "more\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the replaced file's mode is kept";
}

TEST(OutputFile, AReaderThatLeavesTheFifoIsAWriteError) {
    ScratchFolder folder;
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // SIGPIPE keeps its default action here: without the guard the write
    // below would end this whole test program.
    ASSERT_EQ(::signal(SIGPIPE, SIG_DFL), SIG_DFL);
    std::thread reader([&fifo] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        char some[100];
        (void)::read(fd, some, sizeof some);
        ::close(fd);
    });
    OutputFile file;
    ASSERT_EQ(file.open(fifo, OutputFile::Mode::Append), FileStatus::Ok);
    bool written = true;
    for (int i = 0; i < 64 && written; ++i) written = file.write(block(i));
    reader.join();
    EXPECT_EQ(file.commit(), FileStatus::WriteError);
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "a FIFO is written in place, never replaced";
    sigset_t pending;
    sigpending(&pending);
    EXPECT_EQ(sigismember(&pending, SIGPIPE), 0) << "no SIGPIPE left waiting";
}

}  // namespace
}  // namespace varnokit
