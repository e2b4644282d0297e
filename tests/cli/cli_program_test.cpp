// varnokit-cli as a user runs it: the built program on the bundled puzzles,
// text and JSON output, exit statuses, standard input, the analysis, the
// report, the clock and the timeout.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <sstream>

#include "cli/mini_json.h"
#include "cli/run_program.h"
#include "files/scratch_folder.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::JsonValue;
using testing::ProgramRun;
using testing::sjis;
using testing::ScratchFolder;
using testing::writeBytes;

const std::string kCli = VARNOKIT_CLI_PATH;
const std::string kPuzzles = std::string(VARNOKIT_PUZZLE_DIR) + "/";
const std::string kExample = std::string(VARNOKIT_TEST_DATA_DIR) + "/../../examples/worked_example.txt";

ProgramRun cli(const std::vector<std::string>& args, const std::string& stdinBytes = "") {
    return testing::runProgram(kCli, args, stdinBytes);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::vector<std::string> puzzleNames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(kPuzzles.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0)
                names.push_back(name.substr(0, name.size() - 4));
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Whether `text` has the shape of `pattern`, where '9' stands for any digit
// and '+' for one or more further characters like the one before it.
bool shaped(const std::string& text, const std::string& pattern) {
    std::size_t t = 0;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        auto fits = [&](char c) { return pattern[p] == '9' ? c >= '0' && c <= '9' : c == pattern[p]; };
        if (p + 1 < pattern.size() && pattern[p + 1] == '+') {
            if (t >= text.size() || !fits(text[t])) return false;
            while (t < text.size() && fits(text[t])) ++t;
            ++p;
            continue;
        }
        if (t >= text.size() || !fits(text[t])) return false;
        ++t;
    }
    return t == text.size();
}

bool isTimingWithClock(const std::string& line) {
    const std::size_t open = line.find("秒(");
    if (open == std::string::npos || line.back() != ')') return false;
    const std::string clock = line.substr(open + std::string("秒(").size());
    return clock == "クロック測定不能)" || shaped(clock, "9+ MHz)");
}

JsonValue parsed(const std::string& text) {
    JsonValue value;
    EXPECT_TRUE(testing::parseJson(text, value)) << text;
    return value;
}

std::vector<std::string> strings(const JsonValue& array) {
    std::vector<std::string> out;
    for (const JsonValue& item : array.items) out.push_back(item.text);
    return out;
}

// Lines of a JSON log, without the start line and the timing that vary from run to run.
std::vector<std::string> logAfterSummary(const JsonValue& result, std::size_t summaryLines) {
    std::vector<std::string> log = strings(result["log"]);
    if (log.size() < 1 + summaryLines) return {};
    return std::vector<std::string>(log.begin() + static_cast<long>(1 + summaryLines), log.end());
}

/* --- Answers --- */

TEST(CliProgram, SharedPuzzlesMatchTheirAnswersInOrder) {
    const std::vector<std::string> names = puzzleNames();
    ASSERT_GE(names.size(), 10u) << "no puzzles in " << kPuzzles;
    for (const std::string& name : names) {
        for (const char* engine : {"fast", "reference"}) {
            SCOPED_TRACE(name + " " + engine);
            ProgramRun run = cli({"solve", "--json", "--no-clock", "--engine", engine, kPuzzles + name + ".txt"});
            EXPECT_EQ(run.status, 0) << run.err;
            JsonValue got = parsed(run.out);
            JsonValue want = parsed(testing::readFileBytes(kPuzzles + name + ".json"));
            EXPECT_EQ(got["status"].text, "ok");
            ASSERT_EQ(got["count"].number, want["count"].number);
            ASSERT_EQ(got["solutions"].items.size(), want["solutions"].items.size());
            for (std::size_t i = 0; i < want["solutions"].items.size(); ++i) {
                const JsonValue& g = got["solutions"].items[i];
                const JsonValue& w = want["solutions"].items[i];
                for (const char* key : {"divisor", "quotient", "dividend", "remainder"})
                    EXPECT_EQ(g[key].text, w[key].text) << "solution " << i + 1 << " " << key;
                EXPECT_EQ(strings(g["rows"]), strings(w["rows"])) << "solution " << i + 1;
            }
        }
    }
}

TEST(CliProgram, WorkedExampleAsText) {
    ProgramRun run = cli({"solve", "--no-clock", kExample});
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 11u) << run.out;
    EXPECT_TRUE(shaped(out[0], "9999/99/99 99:99:99 started")) << out[0];
    EXPECT_EQ(out[1], "一意解です。");
    EXPECT_EQ(out[2].rfind("  所要時間: ", 0), 0u) << out[2];
    EXPECT_NE(out[2].find("秒(クロック未測定)"), std::string::npos) << out[2];
    EXPECT_EQ(std::vector<std::string>(out.begin() + 3, out.end()),
              (std::vector<std::string>{"", "1番目／1個中", "    78", "12 936", "   84", "    96", "    96",
                                        "     0"}));
    EXPECT_EQ(run.err, "");  // no progress bar when standard error is not a terminal
}

/* --- Exit statuses and errors --- */

TEST(CliProgram, RejectedPuzzleFromStandardInputExitsOne) {
    // A body of two lines is refused by the parser with both of its messages on one line.
    ProgramRun run = cli({"solve", "--no-clock", "-"}, "1*\r\n*8\r\n**6\r\n0\r\n");
    EXPECT_EQ(run.status, 1);
    std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 3u) << run.out;
    EXPECT_EQ(out[1], "解はありません。");
    EXPECT_EQ(out[2], "被除数以下の行数が足りない。被除数以下の行数が奇数でない。");
}

TEST(CliProgram, UsageAndFileErrorsExitTwoWithAMessage) {
    ProgramRun missing = cli({"solve", "/nonexistent/puzzle.txt"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("/nonexistent/puzzle.txt: 入力ファイルを開けません"), std::string::npos)
        << missing.err;

    ProgramRun folder = cli({"solve", "/tmp"});
    EXPECT_EQ(folder.status, 2);

    ProgramRun badOption = cli({"solve", "--quick", kExample});
    EXPECT_EQ(badOption.status, 2);
    EXPECT_EQ(badOption.out, "");
    EXPECT_NE(badOption.err.find("unknown option '--quick'"), std::string::npos) << badOption.err;

    ProgramRun none = cli({});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("--help"), std::string::npos);

    ProgramRun help = cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: varnokit-cli solve"), std::string::npos);
}

TEST(CliProgram, BatchPrintsEveryFileInOrderAndExitsWithTheWorst) {
    ProgramRun run = cli({"solve", "--json", "--no-clock", kExample, "/nonexistent.txt",
                          kPuzzles + "seven_sevens_cond7_nosolution.txt", "-"},
                         "1*\r\n*8\r\n**6\r\n0\r\n");
    EXPECT_EQ(run.status, 2);
    std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 4u) << run.out;
    EXPECT_EQ(parsed(out[0])["status"].text, "ok");
    EXPECT_EQ(parsed(out[0])["count"].number, 1);
    EXPECT_EQ(parsed(out[1])["status"].text, "error");
    EXPECT_EQ(parsed(out[2])["status"].text, "ok");  // searched, no solution
    EXPECT_EQ(parsed(out[2])["count"].number, 0);
    EXPECT_EQ(parsed(out[3])["status"].text, "rejected");
    EXPECT_EQ(parsed(out[3])["file"].text, "-");

    ProgramRun rejectedOnly = cli({"solve", "--json", "--no-clock", kExample, "-"}, "1*\r\n");
    EXPECT_EQ(rejectedOnly.status, 1);
}

/* --- Analysis --- */

TEST(CliProgram, UniqueAddsTheAnalysisAfterTheSummary) {
    // Teaser 2937 under "no * is 1": 37 x 1573, 1583 and 1593. Worked by hand:
    // only 58941 has no 0 in a '*' cell; every cell where the three differ is
    // revealed once per digit, R_1 being the second typed line and R_2, P_2
    // the fourth and fifth.
    ProgramRun run = cli({"solve", "--json", "--no-clock", "--unique", kPuzzles + "teaser2937_cond1.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    JsonValue result = parsed(run.out);
    ASSERT_EQ(result["count"].number, 3);
    EXPECT_EQ(strings(result["log"])[1].rfind("3個の解があります。  所要時間: ", 0), 0u);
    EXPECT_EQ(logAfterSummary(result, 1),
              (std::vector<std::string>{
                  "条件により一意化可能", "  * ≠0", "数字化により一意化可能",
                  "  被除数: ****1 → **2*1", "  被除数: ****1 → **5*1", "  被除数: ****1 → **9*1",
                  "  被除数: ****1 → ***01", "  被除数: ****1 → ***41", "  被除数: ****1 → ***71",
                  "  商: 1*** → 1*7*", "  商: 1*** → 1*8*", "  商: 1*** → 1*9*",
                  "  部分積2行目: *1* → *12", "  部分積2行目: *1* → *15", "  部分積2行目: *1* → *19",
                  "  部分積4行目:  *** → 2**", "  部分積4行目:  *** → *0*", "  部分積4行目:  *** → *4*",
                  "  部分積4行目:  *** → *7*", "  部分積4行目:  *** → **0", "  部分積4行目:  *** → **4",
                  "  部分積4行目:  *** → **7", "  部分積5行目:  *** → 3**", "  部分積5行目:  *** → *3*",
                  "  部分積5行目:  *** → *5*", "  部分積5行目:  *** → *9*", "  部分積5行目:  *** → **3",
                  "  部分積5行目:  *** → **6", "  部分積5行目:  *** → **9"}));

    // One solution: nothing to analyse, the log ends with the summary.
    ProgramRun single = cli({"solve", "--json", "--no-clock", "--unique", kExample});
    EXPECT_TRUE(logAfterSummary(parsed(single.out), 2).empty()) << single.out;
}

TEST(CliProgram, UniqueSaysSoWhenNothingSingleHelps) {
    // A × B = C with letters only (2×3, 2×4, 3×2, 4×2): no '*' to reveal or to bar.
    ScratchFolder folder;
    writeBytes(folder.file("letters.txt"), "A\r\nB\r\nC\r\nC\r\n0\r\n");
    ProgramRun run = cli({"solve", "--json", "--no-clock", "--unique", folder.file("letters.txt")});
    EXPECT_EQ(run.status, 0) << run.err;
    JsonValue result = parsed(run.out);
    ASSERT_EQ(result["count"].number, 4);
    EXPECT_EQ(logAfterSummary(result, 1), std::vector<std::string>{"一つの条件・一つの数字では一意化できません。"});
}

/* --- Report --- */

int occurrences(const std::string& haystack, const std::string& needle) {
    int count = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++count;
    return count;
}

TEST(CliProgram, ReportAppendsOrOverwritesInCp932) {
    const std::string folder = testing::makeTempFolder();
    const std::string out = folder + "/report.txt";
    const std::string title = sjis("＊＊　Varnokit　＊＊");
    for (int i = 0; i < 2; ++i) EXPECT_EQ(cli({"solve", "--no-clock", "--report", out, kExample}).status, 0);
    std::string bytes = testing::readFileBytes(out);
    EXPECT_EQ(occurrences(bytes, title), 2);
    EXPECT_EQ(occurrences(bytes, "\n"), occurrences(bytes, "\r\n"));  // CR LF only

    // --overwrite replaces the file once; the second file of the batch appends.
    ProgramRun batch = cli({"solve", "--no-clock", "--report", out, "--overwrite", kExample, kExample});
    EXPECT_EQ(batch.status, 0) << batch.err;
    bytes = testing::readFileBytes(out);
    EXPECT_EQ(occurrences(bytes, title), 2);
    EXPECT_EQ(occurrences(bytes, sjis("<解: 1>")), 2);
    std::remove(out.c_str());
    std::remove(folder.c_str());

    ProgramRun full = cli({"solve", "--no-clock", "--report", "/dev/full", kExample});
    EXPECT_EQ(full.status, 2);
    EXPECT_NE(full.err.find("/dev/full"), std::string::npos) << full.err;
}

TEST(CliProgram, ReportOnStandardOutputInUtf8) {
    ProgramRun run = cli({"solve", "--no-clock", "--report-stdout", kExample});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("＊＊　Varnokit　＊＊\n\n<問題>\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\nsolved by Varnokit version 0.5\n"), std::string::npos);
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
}

/* --- Clock and time --- */

TEST(CliProgram, ClockIsMeasuredOnlyWhenAskedAndOncePerProcess) {
    // Without --clock no second is spent: one puzzle takes milliseconds.
    ProgramRun quick = cli({"solve", "--json", kExample});
    EXPECT_EQ(quick.status, 0) << quick.err;
    EXPECT_LT(quick.seconds, 0.5);
    EXPECT_NE(quick.out.find("(クロック未測定)"), std::string::npos) << quick.out;

    // Each measurement sleeps a second: two files in one run take one.
    ProgramRun run = cli({"solve", "--json", "--clock", kExample, kExample});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_LT(run.seconds, 1.8);
    EXPECT_GE(run.seconds, 0.9);
    std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 2u);
    const std::string timing1 = strings(parsed(out[0])["log"]).at(2);
    const std::string timing2 = strings(parsed(out[1])["log"]).at(2);
    EXPECT_TRUE(isTimingWithClock(timing1)) << timing1;
    EXPECT_EQ(timing1.substr(timing1.find('(')), timing2.substr(timing2.find('(')));
}

/* --- Stopping a search --- */

// The reference engine needs many seconds for this one; both stops come long before.
const std::string kSlowPuzzle = std::string(VARNOKIT_BENCH_PUZZLE_DIR) + "/p06-s9-q9.txt";

TEST(CliProgram, TimeoutAbortsLikeTheAbortButton) {
    ProgramRun run = cli({"solve", "--json", "--no-clock", "--engine", "reference", "--timeout", "0.3", kSlowPuzzle});
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_LT(run.seconds, 10.0);
    JsonValue result = parsed(run.out);
    EXPECT_EQ(result["status"].text, "aborted");
    std::vector<std::string> log = strings(result["log"]);
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[1], "中止されました！");
    // The count line says it counts what was found before the stop.
    EXPECT_EQ(log[2].rfind("中止までに", 0), 0u) << log[2];
    EXPECT_EQ(result["count"].number, static_cast<double>(result["solutions"].items.size()));
}

TEST(CliProgram, CtrlCStopsTheSearchAndTheBatch) {
    ProgramRun run = testing::runProgram(kCli, {"solve", "--no-clock", "--engine", "reference", kSlowPuzzle, kExample},
                                         "", 0.5);
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_LT(run.seconds, 10.0);
    std::vector<std::string> out = lines(run.out);
    ASSERT_GE(out.size(), 3u) << run.out;
    EXPECT_EQ(out[0], "== " + kSlowPuzzle);
    EXPECT_EQ(out[2], "中止されました！");
    EXPECT_EQ(run.out.find("== " + kExample), std::string::npos);  // the second file is not solved
    EXPECT_NE(run.err.find("interrupted; 1 file(s) not solved"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace varnokit
