// The result report byte for byte: the worked example against its golden
// file, append and overwrite, zero quotient digits, a one-cell divisor, the
// optional sections, a report without solutions, and write errors.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/report.h"
#include "files/scratch_folder.h"
#include "support/text.h"

namespace varnokit {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::ScratchFolder;
using testing::sjis;
using testing::writeBytes;

/* --- Puzzles as a Solve leaves them in the records --- */

// A typed puzzle: interior rows in solver order as typed (leading blanks
// kept, "" for the empty pair of a zero quotient digit). The raw texts are
// the typed ones; `rawDivisor` and `rawQuotient` override the typed form
// (full-width digits, say) while the pattern stays `divisor` or `quotient`.
struct Typed {
    std::string divisor;
    std::string quotient;
    std::string dividend;
    std::vector<std::string> interior;
    std::string remainder;
    std::string rawDivisor;
    std::string rawQuotient;
};

void setRow(WorkRow& row, const std::string& text, const std::string& raw) {
    ASSERT_LT(text.size(), sizeof row.text);
    ASSERT_LT(raw.size(), sizeof row.raw);
    std::memset(row.text, 0, sizeof row.text);
    std::memset(row.raw, 0, sizeof row.raw);
    std::memcpy(row.text, text.data(), text.size());
    std::memcpy(row.raw, raw.data(), raw.size());
    row.length = static_cast<int32_t>(text.size());
}

std::string trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::unique_ptr<PuzzleState> solvedState(const Typed& typed,
                                         std::initializer_list<std::pair<int64_t, int64_t>> solutions,
                                         int conditionDigit = -1) {
    auto state = std::make_unique<PuzzleState>();
    const std::string rawDivisor = typed.rawDivisor.empty() ? typed.divisor : typed.rawDivisor;
    const std::string rawQuotient = typed.rawQuotient.empty() ? typed.quotient : typed.rawQuotient;
    for (WorkRecord* record : {&state->problem, &state->work}) {
        setRow(record->rows[kDivisorRow], typed.divisor, rawDivisor);
        setRow(record->rows[kQuotientRow], typed.quotient, rawQuotient);
        setRow(record->rows[kDividendRow], typed.dividend, typed.dividend);
        setRow(record->rows[kRemainderRow], typed.remainder, typed.remainder);
        record->rows[kRemainderRow].value = std::stoi(typed.remainder);
    }
    for (std::size_t u = 0; u < typed.interior.size(); ++u) {
        const std::string& line = typed.interior[u];
        setRow(state->problem.rows[kFirstInteriorRow + u], line, line);
        setRow(state->work.rows[kFirstInteriorRow + u], trimmed(line), line);
    }
    state->conditionDigit = conditionDigit;
    state->conditionChar = conditionDigit >= 0 ? static_cast<char>('0' + conditionDigit) : 0;
    state->solutions.beginSearch(state->work);
    for (auto [divisor, quotient] : solutions) state->solutions.append(divisor, quotient);
    return state;
}

// 936 / 12 = 78, typed with some digits hidden.
Typed workedExample() { return Typed{"1*", "7*", "9**", {"8*", " *6", " 9*"}, "0", "", ""}; }
Typed workedExampleAsTyped() { return Typed{"12", "78", "936", {"84", " 96", " 96"}, "0", "", ""}; }

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

const std::string kTrailer = crlfLines(
    {"", "solved by Varnokit version 0.5", "          Varnokit developers, free to copy and share"});

const std::string kHeader = crlfLines({sjis("＊＊　Varnokit　＊＊"), "", sjis("<問題>"), ""});

/* --- Layout --- */

TEST(ReportFormat, WorkedExampleMatchesTheGoldenFile) {
    auto state = solvedState(workedExampleAsTyped(), {{12, 78}});
    const std::string expected = golden("worked_example_report.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(formatReport(*state, {}, exampleLog()), expected);
}

TEST(ReportFormat, PuzzleBlockShowsTheTypedTextsAndSolutionBlocksTheValues) {
    auto state = solvedState(workedExample(), {{12, 78}, {13, 72}});
    std::string report = formatReport(*state, {}, {});
    EXPECT_EQ(report, kHeader +
                          crlfLines({"    7*", "  ----", "1*)9**", "   8*", "  ----", "    *6",
                                     "    9*", "  ----", "     0", "", "",
                                     sjis("<解: 1>"), "", "    78", "  -----", "12)936", "   84",
                                     "  -----", "    96", "    96", "  -----", "     0",
                                     sjis("<解: 2>"), "", "    72", "  -----", "13)936", "   91",
                                     "  -----", "    26", "    26", "  -----", "     0"}) +
                          kTrailer);
}

TEST(ReportFormat, ZeroQuotientDigitSkipsItsEmptySlotsAndBars) {
    // 1229 / 12 = 102 r 5: the pair of the quotient digit 0 is empty.
    Typed typed{"12", "1*2", "12**", {"12", "", "", "  29", "  24"}, "5", "", ""};
    auto state = solvedState(typed, {{12, 102}});
    EXPECT_EQ(formatReport(*state, {}, {}),
              kHeader + crlfLines({"    1*2", "  -----", "12)12**", "   12", "  -----", "     29",
                                   "     24", "  -----", "      5", "", "",
                                   sjis("<解: 1>"), "", "    102", "  ------", "12)1229", "   12",
                                   "  ------", "     29", "     24", "  ------", "      5"}) +
                  kTrailer);
}

TEST(ReportFormat, OneCellDivisorShowsNoInteriorRows) {
    // 91 / 7 = 13.
    Typed typed{"7", "13", "91", {"7", " 21", " 21"}, "0", "", ""};
    auto state = solvedState(typed, {{7, 13}});
    EXPECT_EQ(formatReport(*state, {}, {}),
              kHeader + crlfLines({"  13", " ---", "7)91", "   0", "", "",
                                   sjis("<解: 1>"), "", "  13", " ----", "7)91", "   0"}) +
                  kTrailer);
}

TEST(ReportFormat, TypedWidthsCountBytesSolutionWidthsCountCells) {
    // The divisor typed in full width takes four bytes in the puzzle block
    // but two cells in the solution block.
    Typed typed{"12", "78", "936", {"84", " 96", " 96"}, "0", sjis("１２"), ""};
    auto state = solvedState(typed, {{12, 78}});
    EXPECT_EQ(formatReport(*state, {}, {}),
              kHeader + crlfLines({"      78", "    ----", sjis("１２") + ")936", "     84",
                                   "    ----", "      96", "      96", "    ----", "       0", "",
                                   "", sjis("<解: 1>"), "", "    78", "  -----", "12)936", "   84",
                                   "  -----", "    96", "    96", "  -----", "     0"}) +
                  kTrailer);
}

TEST(ReportFormat, TypedQuotientWiderThanItsFieldIsPrintedWhole) {
    // 861 / 7 = 123, the quotient typed in full width: six bytes over a
    // field of five.
    Typed typed{"7", "123", "861", {"7", "16", "14", " 21", " 21"}, "0", "", sjis("１２３")};
    auto state = solvedState(typed, {{7, 123}});
    EXPECT_EQ(formatReport(*state, {}, {}),
              kHeader + crlfLines({sjis("１２３"), " ----", "7)861", "    0", "", "",
                                   sjis("<解: 1>"), "", "  123", " -----", "7)861", "    0"}) +
                  kTrailer);
}

/* --- Sections --- */

TEST(ReportSections, NotesConditionAndLogStandBetweenPuzzleAndSolutions) {
    auto state = solvedState(workedExample(), {}, 5);
    std::string report =
        formatReport(*state, {sjis("注釈の一行目"), "", "#3"}, {"start", sjis("解はありません。")});
    const std::string puzzleEnd = crlfLines({"     0", ""});
    const std::size_t at = report.find(puzzleEnd);
    ASSERT_NE(at, std::string::npos);
    // No solution block: the trailer follows the log's empty line.
    EXPECT_EQ(report.substr(at + puzzleEnd.size()),
              crlfLines({sjis("<注釈>"), sjis("注釈の一行目"), "", "#3", "", sjis("条件 * ≠ 5"), "",
                         "start", sjis("解はありません。"), ""}) +
                  kTrailer);
}

TEST(ReportSections, EmptyNotesAndNoConditionLeaveOnlyTheLogsEmptyLine) {
    auto state = solvedState(workedExample(), {});
    std::string report = formatReport(*state, {}, {});
    EXPECT_EQ(report.find(sjis("<注釈>")), std::string::npos);
    EXPECT_EQ(report.find(sjis("条件")), std::string::npos);
    const std::string tail = crlfLines({"  ----", "     0", "", ""}) + kTrailer;
    ASSERT_GT(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);

    auto zero = solvedState(workedExample(), {}, 0);
    EXPECT_NE(formatReport(*zero, {}, {}).find(crlfLines({sjis("条件 * ≠ 0"), ""})), std::string::npos);
}

TEST(ReportSections, ReportBeforeAnyPuzzleWasLaidOut) {
    // A Solve stopped by its first check leaves empty records behind.
    PuzzleState state;
    EXPECT_EQ(formatReport(state, {}, {"x"}),
              kHeader + crlfLines({" ", "-", ")", " ", "", "x", ""}) + kTrailer);
}

/* --- Files --- */

TEST(ReportFile, AppendAddsAfterTheTrailerOverwriteReplaces) {
    ScratchFolder folder;
    const std::string path = folder.file("report.txt");
    auto state = solvedState(workedExampleAsTyped(), {{12, 78}});
    const std::string one = golden("worked_example_report.txt");

    ASSERT_EQ(writeReport(path, ReportMode::Append, *state, {}, exampleLog()), FileStatus::Ok);
    EXPECT_EQ(readBytes(path), one);
    ASSERT_EQ(writeReport(path, ReportMode::Append, *state, {}, exampleLog()), FileStatus::Ok);
    EXPECT_EQ(readBytes(path), one + one);
    ASSERT_EQ(writeReport(path, ReportMode::Overwrite, *state, {}, exampleLog()), FileStatus::Ok);
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
    auto state = solvedState(workedExampleAsTyped(), {{12, 78}});

    // A file-size limit makes the writes fail part-way, like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    FileStatus append = writeReport(appended, ReportMode::Append, *state, {}, exampleLog());
    FileStatus overwrite = writeReport(replaced, ReportMode::Overwrite, *state, {}, exampleLog());
    FileStatus fresh = writeReport(folder.file("new.txt"), ReportMode::Append, *state, {}, exampleLog());
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
