// varnokit-cli when its readers go away: a report FIFO whose reader leaves
// is a write error (exit 2, and the JSON says so), and standard output
// closed early (`… | head`) ends the program quietly, by SIGPIPE, as Unix
// tools end, once the report file is complete.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "cli/mini_json.h"
#include "cli/run_program.h"
#include "files/scratch_folder.h"

namespace varnokit {
namespace {

using testing::ProgramRun;
using testing::runProgram;

const std::string kCli = VARNOKIT_CLI_PATH;

// Every four-digit divisor, quotient 1: 9000 solutions, a report of about
// 600 KB, far more than a pipe holds.
std::string manySolutionsFile(const testing::ScratchFolder& folder) {
    const std::string path = folder.file("many.txt");
    testing::writeFileBytes(path, "****\r\n1\r\n****\r\n****\r\n0\r\n");
    return path;
}

TEST(CliPipes, AReportFifoWhoseReaderLeavesIsAWriteError) {
    testing::ScratchFolder folder;
    const std::string puzzle = manySolutionsFile(folder);
    const std::string fifo = folder.file("report-pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The reader takes the title and leaves, as `head -c 100` would.
    std::thread reader([&fifo] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        char some[100];
        (void)::read(fd, some, sizeof some);
        ::close(fd);
    });
    ProgramRun run = runProgram(kCli, {"solve", "--no-clock", "--json", "--report", fifo, puzzle});
    reader.join();
    EXPECT_EQ(run.signal, 0) << "ended by a signal, with nothing said";
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("出力ファイルに書き込めません"), std::string::npos) << run.err;
    testing::JsonValue result;
    ASSERT_TRUE(testing::parseJson(run.out, result)) << run.out;
    EXPECT_EQ(result["status"].text, "error");
    EXPECT_NE(result["message"].text.find(fifo), std::string::npos) << result["message"].text;
    EXPECT_EQ(result["search"].text, "ok");
    // What was found is not lost with the report.
    EXPECT_EQ(result["count"].number, 9000);
    EXPECT_EQ(result["solutions"].items.size(), 9000u);
}

TEST(CliPipes, StandardOutputClosedEarlyEndsQuietlyAfterTheReport) {
    testing::ScratchFolder folder;
    const std::string puzzle = manySolutionsFile(folder);
    const std::string report = folder.file("report.txt");
    testing::ProgramSetting closed;
    closed.outputClosed = true;
    for (const char* format : {"--json", "--report-stdout"}) {
        std::vector<std::string> args{"solve", "--no-clock", format, puzzle, puzzle};
        if (std::string(format) == "--json") args.insert(args.end() - 2, {"--report", report});
        ProgramRun run = runProgram(kCli, args, "", 0, closed);
        EXPECT_EQ(run.signal, SIGPIPE) << format << ": " << run.err;
        EXPECT_EQ(run.err, "") << format;
    }
    // The report of the first file was written whole before the output
    // failed; the batch stopped there.
    const std::string bytes = testing::readFileBytes(report);
    EXPECT_NE(bytes.find("<\x89\xf0: 9000>"), std::string::npos);  // <解: 9000>
    const std::string trailer = "solved by Varnokit version 0.5\r\n          Varnokit developers, free to copy and share\r\n";
    ASSERT_GT(bytes.size(), trailer.size());
    EXPECT_EQ(bytes.substr(bytes.size() - trailer.size()), trailer);
    EXPECT_EQ(bytes.find("solved by Varnokit"), bytes.rfind("solved by Varnokit")) << "one report only";
}

}  // namespace
}  // namespace varnokit
