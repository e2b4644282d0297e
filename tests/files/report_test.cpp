// The result report byte for byte after real Solves: the worked example
// against its golden file, several solutions, zero quotient digits, a
// one-cell divisor, full-width typing, the optional sections, a Solve without
// solutions, append and overwrite, and write errors.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "files/report.h"
#include "platform/file_saving.h"
#include "files/scratch_folder.h"
#include "solver/solve.h"
#include "support/text.h"

namespace varnokit {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::ScratchFolder;
using testing::sjis;
using testing::writeBytes;

/* --- Solving --- */

class LogHooks : public SolveHooks {
public:
    std::vector<std::string> log;
    void appendLog(const std::string& line) override { log.push_back(line); }
    double now() override { return 46000.5; }
    std::string formatStartTime(double) override { return "start"; }
    std::string clockDescription() override { return "2596 MHz"; }
};

struct Solved {
    std::unique_ptr<PuzzleState> state = std::make_unique<PuzzleState>();
    std::vector<std::string> log;
};

Solved solved(const PuzzleInput& input) {
    Solved result;
    LogHooks hooks;
    SolveOptions options;
    options.beep = false;
    solve(*result.state, input, hooks, options);
    result.log = hooks.log;
    return result;
}

PuzzleInput typed(std::string divisor, std::string quotient, std::vector<std::string> body,
                  std::string condition = "") {
    return PuzzleInput{std::move(divisor), std::move(quotient), std::move(body), std::move(condition)};
}

PuzzleInput workedExample() { return typed("12", "78", {"936", "84", " 96", " 96", "0"}); }

std::vector<std::string> exampleLog() {
    return {"2026/12/08 16:20:00 started", sjis("一意解です。"),
            sjis("  所要時間: 0.001秒(2596 MHz)")};
}

std::string golden(const std::string& name) {
    return readBytes(std::string(VARNOKIT_TEST_DATA_DIR) + "/" + name);
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

const std::string kHeader = crlfLines({sjis("＊＊　Varnokit　＊＊"), "", sjis("<問題>"), ""});
const std::string kTrailer = crlfLines(
    {"", "solved by Varnokit version 0.5", "          Varnokit developers, free to copy and share"});

/* --- Layout --- */

TEST(ReportFormat, WorkedExampleMatchesTheGoldenFile) {
    Solved run = solved(workedExample());
    ASSERT_EQ(run.state->solutions.count(), 1);
    const std::string expected = golden("worked_example_report.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(formatReport(*run.state, {}, exampleLog()), expected);
}

TEST(ReportFormat, PuzzleAsTypedThenEverySolutionInTheOrderFound) {
    // 1* x 7 with no remainder: the divisors 10 … 14 all fit.
    Solved run = solved(typed("1*", "7", {"**", "**", "0"}));
    ASSERT_EQ(run.state->solutions.count(), 5);
    std::vector<std::string> lines = {"    7", "  ---", "1*)**", "   **", "  ---", "    0", "", ""};
    for (int divisor = 10; divisor <= 14; ++divisor) {
        const std::string product = std::to_string(divisor * 7);
        const std::string more[] = {sjis("<解: " + std::to_string(divisor - 9) + ">"), "", "    7",
                                    "  ----", std::to_string(divisor) + ")" + product, "   " + product,
                                    "  ----", "    0"};
        lines.insert(lines.end(), std::begin(more), std::end(more));
    }
    EXPECT_EQ(formatReport(*run.state, {}, {}), kHeader + crlfLines(lines) + kTrailer);
}

TEST(ReportFormat, ZeroQuotientDigitSkipsItsEmptySlotsAndBars) {
    // 1229 / 12 = 102 r 5: the quotient digit 0 writes no lines.
    Solved run = solved(typed("12", "1*2", {"12**", "12", "  29", "  24", "5"}));
    ASSERT_EQ(run.state->solutions.count(), 1);
    EXPECT_EQ(formatReport(*run.state, {}, {}),
              kHeader + crlfLines({"    1*2", "  -----", "12)12**", "   12", "  -----", "     29",
                                   "     24", "  -----", "      5", "", "",
                                   sjis("<解: 1>"), "", "    102", "  ------", "12)1229", "   12",
                                   "  ------", "     29", "     24", "  ------", "      5"}) +
                  kTrailer);
}

TEST(ReportFormat, QuotientEndingInZeroShowsTheBroughtDownDigitInTheRemainder) {
    // 9365 / 12 = 780 r 5: the last product ends a column early; the
    // remainder line, 0 with the brought-down 5, ends under the dividend.
    Solved run = solved(typed("12", "7*0", {"936*", "84", " 96", " 96", "5"}));
    ASSERT_EQ(run.state->solutions.count(), 1);
    EXPECT_EQ(formatReport(*run.state, {}, {}),
              kHeader + crlfLines({"    7*0", "  -----", "12)936*", "   84", "  -----", "    96",
                                   "    96", "  -----", "      5", "", "",
                                   sjis("<解: 1>"), "", "    780", "  ------", "12)9365", "   84",
                                   "  ------", "    96", "    96", "  ------", "      5"}) +
                  kTrailer);
}

TEST(ReportFormat, OneCellDivisorShowsNoInteriorRows) {
    Solved run = solved(typed("7", "13", {"91", "7", "21", "21", "0"}));
    ASSERT_EQ(run.state->solutions.count(), 1);
    EXPECT_EQ(formatReport(*run.state, {}, {}),
              kHeader + crlfLines({"  13", " ---", "7)91", "   0", "", "",
                                   sjis("<解: 1>"), "", "  13", " ----", "7)91", "   0"}) +
                  kTrailer);
}

TEST(ReportFormat, TypedWidthsCountBytesSolutionWidthsCountCells) {
    // The divisor typed in full width takes four bytes in the puzzle block
    // but two cells in the solution block.
    Solved run = solved(typed(sjis("１２"), "78", {"936", "84", " 96", " 96", "0"}));
    ASSERT_EQ(run.state->solutions.count(), 1);
    EXPECT_EQ(formatReport(*run.state, {}, {}),
              kHeader + crlfLines({"      78", "    ----", sjis("１２") + ")936", "     84",
                                   "    ----", "      96", "      96", "    ----", "       0", "",
                                   "", sjis("<解: 1>"), "", "    78", "  -----", "12)936", "   84",
                                   "  -----", "    96", "    96", "  -----", "     0"}) +
                  kTrailer);
}

TEST(ReportFormat, TypedQuotientWiderThanItsFieldIsPrintedWhole) {
    // 861 / 7 = 123 with the quotient typed in full width: six bytes over a
    // field of five.
    Solved run = solved(typed("7", sjis("１２３"), {"861", "7", "16", "14", " 21", " 21", "0"}));
    ASSERT_EQ(run.state->solutions.count(), 1);
    EXPECT_EQ(formatReport(*run.state, {}, {}),
              kHeader + crlfLines({sjis("１２３"), " ----", "7)861", "    0", "", "",
                                   sjis("<解: 1>"), "", "  123", " -----", "7)861", "    0"}) +
                  kTrailer);
}

// The solution blocks' written lines, top to bottom, without the bars.
std::vector<std::vector<std::string>> solutionRows(const std::string& report) {
    std::vector<std::vector<std::string>> blocks;
    std::regex block(sjis("<解: ") + R"(\d+>\r\n\r\n[^\r]*\r\n[^\r]*\r\n([^\r]*)\)([^\r]*)\r\n((?: *[-0-9]+\r\n)*))");
    for (std::sregex_iterator it(report.begin(), report.end(), block), end; it != end; ++it) {
        std::vector<std::string> rows = {(*it)[1], (*it)[2]};
        std::string body = (*it)[3];
        std::regex line(R"( *([0-9]+)\r\n)");
        for (std::sregex_iterator l(body.begin(), body.end(), line); l != end; ++l) rows.push_back((*l)[1]);
        blocks.push_back(rows);
    }
    return blocks;
}

// The known answers beside a bundled puzzle: divisor, dividend, written rows, remainder.
std::vector<std::vector<std::string>> knownAnswers(const std::string& json) {
    std::vector<std::vector<std::string>> answers;
    std::regex solution(R"re("divisor": "(\d+)",\s*"quotient": "\d+",\s*"dividend": "(\d+)",\s*"remainder": "(\d+)",\s*"rows": \[([^\]]*)\])re");
    std::regex number(R"re("(\d+)")re");
    for (std::sregex_iterator it(json.begin(), json.end(), solution), end; it != end; ++it) {
        std::vector<std::string> rows = {(*it)[1], (*it)[2]};
        std::string list = (*it)[4];
        for (std::sregex_iterator n(list.begin(), list.end(), number); n != end; ++n) rows.push_back((*n)[1]);
        rows.push_back((*it)[3]);
        answers.push_back(rows);
    }
    return answers;
}

TEST(ReportFormat, HiddenRemainderAsTypedThenEachSolutionsOwn) {
    // 936 … 937 / 12 = 78 r 0 … 1, the remainder typed as '*'.
    Solved run = solved(typed("12", "78", {"93*", "84", " 9*", " 96", "*"}, "2"));
    ASSERT_EQ(run.state->solutions.count(), 3);
    const std::string report = formatReport(*run.state, {}, {});
    EXPECT_NE(report.find(crlfLines({"  ----", "     *", "", sjis("条件 * ≠ 2")})), std::string::npos);
    const std::vector<std::vector<std::string>> rows = solutionRows(report);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"12", "936", "84", "96", "96", "0"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"12", "937", "84", "97", "96", "1"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"12", "939", "84", "99", "96", "3"}));
}

TEST(ReportFormat, SolutionBlocksAgreeWithTheKnownAnswers) {
    const std::string base = std::string(VARNOKIT_PUZZLE_DIR) + "/teaser2937_cond1";
    ProblemBoxes boxes;
    ASSERT_EQ(readProblemFile(base + ".txt", boxes), FileStatus::Ok);
    Solved run = solved(typed(boxes.divisor, boxes.quotient, boxes.body, boxes.condition));
    const auto expected = knownAnswers(readBytes(base + ".json"));
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(solutionRows(formatReport(*run.state, boxes.notes, run.log)), expected);
}

/* --- Sections --- */

TEST(ReportSections, NotesConditionAndLogStandBetweenPuzzleAndSolutions) {
    // 1* x 7 with no '*' standing for 8: 12 (84) and 14 (98) drop out.
    Solved run = solved(typed("1*", "7", {"**", "**", "0"}, "8"));
    ASSERT_EQ(run.state->solutions.count(), 3);
    std::string report = formatReport(*run.state, {sjis("注釈の一行目"), "", "#3"}, run.log);
    const std::string puzzleEnd = crlfLines({"    0", ""});
    const std::size_t at = report.find(puzzleEnd);
    ASSERT_NE(at, std::string::npos);
    std::string sections = crlfLines({sjis("<注釈>"), sjis("注釈の一行目"), "", "#3", "",
                                      sjis("条件 * ≠ 8"), ""}) +
                           crlfLines(run.log) + crlfLines({"", sjis("<解: 1>")});
    EXPECT_EQ(report.substr(at + puzzleEnd.size(), sections.size()), sections);
}

TEST(ReportSections, SolveWithoutSolutionsEndsWithTheLogAndTheTrailer) {
    const std::string base = std::string(VARNOKIT_PUZZLE_DIR) + "/seven_sevens_cond7_nosolution";
    ProblemBoxes boxes;
    ASSERT_EQ(readProblemFile(base + ".txt", boxes), FileStatus::Ok);
    Solved run = solved(typed(boxes.divisor, boxes.quotient, boxes.body, boxes.condition));
    ASSERT_EQ(run.state->solutions.count(), 0);
    ASSERT_FALSE(run.log.empty());
    std::string report = formatReport(*run.state, {}, run.log);
    const std::string tail = crlfLines({"      0", "", sjis("条件 * ≠ 7"), ""}) + crlfLines(run.log) +
                             crlfLines({""}) + kTrailer;
    ASSERT_GT(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
    EXPECT_EQ(report.find(sjis("<注釈>")), std::string::npos);
}

TEST(ReportSections, EmptyNotesNoConditionAndEmptyLogLeaveOneEmptyLine) {
    Solved run = solved(workedExample());
    std::string report = formatReport(*run.state, {}, {});
    EXPECT_NE(report.find(crlfLines({"     0", "", "", sjis("<解: 1>")})), std::string::npos);
    EXPECT_EQ(report.find(sjis("<注釈>")), std::string::npos);
    EXPECT_EQ(report.find(sjis("条件")), std::string::npos);
}

TEST(ReportSections, ReportBeforeAnyPuzzleWasLaidOut) {
    // A Solve stopped by its first check can leave empty records behind.
    PuzzleState state;
    EXPECT_EQ(formatReport(state, {}, {"x"}),
              kHeader + crlfLines({" ", "-", ")", " ", "", "x", ""}) + kTrailer);
}

TEST(ReportSections, RejectedSolveShowsThePuzzleItWasGivenWithItsCondition) {
    // Rejected at three different steps: the parse (a character no cell can
    // be), the line counts, and the layout checks after a clean parse. The
    // report once showed an empty puzzle block and no condition for these.
    const PuzzleInput rejected[] = {
        typed("1~", "78", {"936", "84", " 96", " 96", "0"}, "5"),
        typed("12", "78", {"936", "84", " 96", "0"}, "5"),
        typed("12", "78", {"936", "84", "  96", " 96", "0"}, "5"),
    };
    for (const PuzzleInput& input : rejected) {
        Solved run = solved(input);
        ASSERT_EQ(run.state->solutions.count(), 0);
        const std::string report = formatReport(*run.state, {}, run.log);
        std::vector<std::string> block = {"    78", "  ----", input.divisor + ")936"};
        for (std::size_t i = 1; i + 1 < input.bodyLines.size(); ++i) {
            block.push_back("   " + input.bodyLines[i]);
            if (i % 2 == 1) block.push_back("  ----");
        }
        block.push_back("     0");
        block.push_back("");
        block.push_back(sjis("条件 * ≠ 5"));
        EXPECT_EQ(report.rfind(kHeader + crlfLines(block), 0), 0u) << testing::utf8(report);
    }
}

TEST(ReportSections, ATooLongLineIsShownAsTyped) {
    // A line the record cannot hold is still the puzzle the user typed.
    const std::string longDividend(70, '*');
    Solved run = solved(typed("12", "78", {longDividend, "84", " 96", " 96", "0"}));
    const std::string report = formatReport(*run.state, {}, run.log);
    EXPECT_NE(report.find("\r\n12)" + longDividend + "\r\n"), std::string::npos);
}

/* --- Files --- */

TEST(ReportFile, AppendAddsAfterTheTrailerOverwriteReplaces) {
    ScratchFolder folder;
    const std::string path = folder.file("report.txt");
    Solved run = solved(workedExample());
    const std::string one = golden("worked_example_report.txt");

    ASSERT_EQ(writeReport(path, ReportMode::Append, *run.state, {}, exampleLog()), FileStatus::Ok);
    EXPECT_EQ(readBytes(path), one);
    ASSERT_EQ(writeReport(path, ReportMode::Append, *run.state, {}, exampleLog()), FileStatus::Ok);
    EXPECT_EQ(readBytes(path), one + one);
    ASSERT_EQ(writeReport(path, ReportMode::Overwrite, *run.state, {}, exampleLog()), FileStatus::Ok);
    EXPECT_EQ(readBytes(path), one);
    EXPECT_EQ(folder.entryCount(), 1);
}

TEST(ReportFile, UnopenableTargetsAndFullDevice) {
    ScratchFolder folder;
    PuzzleState state;
    for (ReportMode mode : {ReportMode::Append, ReportMode::Overwrite}) {
        EXPECT_EQ(writeReport(folder.path().string(), mode, state, {}, {}), FileStatus::CannotOpenOutput);
        EXPECT_EQ(writeReport(folder.file("no/such.txt"), mode, state, {}, {}),
                  FileStatus::CannotOpenOutput);
        EXPECT_EQ(writeReport("/dev/full", mode, state, {}, {}), FileStatus::WriteError);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
    EXPECT_EQ(fileStatusMessage(FileStatus::WriteError), sjis("出力ファイルに書き込めません"));
}

TEST(ReportFile, FailedWritesLeaveTheOldFileAsItWas) {
    ScratchFolder folder;
    const std::string appended = folder.file("appended.txt");
    const std::string replaced = folder.file("replaced.txt");
    writeBytes(appended, "earlier report\r\n");
    writeBytes(replaced, "earlier report\r\n");
    Solved run = solved(workedExample());

    // A file-size limit makes the writes fail part-way, like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    FileStatus append = writeReport(appended, ReportMode::Append, *run.state, {}, exampleLog());
    FileStatus overwrite = writeReport(replaced, ReportMode::Overwrite, *run.state, {}, exampleLog());
    FileStatus fresh = writeReport(folder.file("new.txt"), ReportMode::Append, *run.state, {}, exampleLog());
    ::setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(append, FileStatus::WriteError);
    EXPECT_EQ(overwrite, FileStatus::WriteError);
    EXPECT_EQ(fresh, FileStatus::WriteError);
    EXPECT_EQ(readBytes(appended), "earlier report\r\n");
    EXPECT_EQ(readBytes(replaced), "earlier report\r\n");
    EXPECT_EQ(folder.entryCount(), 2);  // no temporary and no partial new file left
}

}  // namespace
}  // namespace varnokit
