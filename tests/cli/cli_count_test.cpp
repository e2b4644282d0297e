// --count and --max-solutions through the built program: what the text and
// the JSON say, the exit status, and that the solutions kept are the first
// ones a full search finds.
#include <gtest/gtest.h>

#include "cli/mini_json.h"
#include "cli/run_program.h"
#include "files/problem_file.h"

namespace varnokit {
namespace {

using testing::JsonValue;
using testing::ProgramRun;

const std::string kCli = VARNOKIT_CLI_PATH;
const std::string kExample = std::string(VARNOKIT_TEST_DATA_DIR) + "/../../examples/worked_example.txt";

// Every two-digit divisor with quotient 1 and remainder 0: 90 solutions.
class NinetySolutions : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = testing::makeTempFolder();
        file_ = folder_ + "/ninety.txt";
        testing::writeFileBytes(file_, "**\r\n1\r\n**\r\n**\r\n0\r\n");
    }
    void TearDown() override {
        std::remove(file_.c_str());
        std::remove(folder_.c_str());
    }
    ProgramRun cli(std::vector<std::string> options) {
        std::vector<std::string> args{"solve", "--no-clock"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(file_);
        return testing::runProgram(kCli, args);
    }
    static JsonValue json(const ProgramRun& run) {
        JsonValue value;
        EXPECT_TRUE(testing::parseJson(run.out, value)) << run.out;
        return value;
    }
    std::string folder_, file_;
};

TEST_F(NinetySolutions, CountPrintsTheLogAndNoSolution) {
    ProgramRun text = cli({"--count"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("\n90個の解があります。  所要時間: "), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("番目"), std::string::npos) << "no solution is printed";

    const JsonValue result = json(cli({"--count", "--json"}));
    EXPECT_EQ(result["status"].text, "ok");
    EXPECT_EQ(result["count"].number, 90);
    EXPECT_EQ(result["solutions"].kind, JsonValue::Kind::Null) << "nothing stored, nothing listed";

    // A report of a count: the log with the count, no solution block.
    ProgramRun report = cli({"--count", "--report-stdout"});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_NE(report.out.find("\n90個の解があります。"), std::string::npos) << report.out;
    EXPECT_EQ(report.out.find("<解: "), std::string::npos);
    EXPECT_NE(report.out.find("\nsolved by Varnokit version 0.5\n"), std::string::npos);
}

TEST_F(NinetySolutions, MaxSolutionsStopsAtTheNthAndKeepsTheFirstOnes) {
    const JsonValue all = json(cli({"--json"}));
    ASSERT_EQ(all["solutions"].items.size(), 90u);

    ProgramRun run = cli({"--json", "--max-solutions", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    const JsonValue two = json(run);
    EXPECT_EQ(two["status"].text, "limited");
    EXPECT_EQ(two["count"].number, 2);
    ASSERT_EQ(two["solutions"].items.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(two["solutions"].items[i]["divisor"].text, all["solutions"].items[i]["divisor"].text);
    ASSERT_EQ(two["log"].items.size(), 3u);
    EXPECT_EQ(two["log"].items[1].text, "指定された解の数（2個）に達したため、探索を打ち切りました。");
    EXPECT_EQ(two["log"].items[2].text.rfind("2個の解があります。", 0), 0u);

    // Stopped at the first: more may follow, so the log never says 一意解.
    const JsonValue one = json(cli({"--json", "--max-solutions=1"}));
    EXPECT_EQ(one["log"].items[2].text.rfind("1個の解があります。", 0), 0u) << one["log"].items[2].text;

    // A limit the search never reaches: an ordinary full search.
    const JsonValue many = json(cli({"--json", "--count", "--max-solutions", "1000"}));
    EXPECT_EQ(many["status"].text, "ok");
    EXPECT_EQ(many["count"].number, 90);
}

TEST(CliCount, MaxSolutionsTwoTellsAUniquePuzzle) {
    ProgramRun run = testing::runProgram(kCli, {"solve", "--no-clock", "--json", "--max-solutions", "2", kExample});
    EXPECT_EQ(run.status, 0) << run.err;
    JsonValue result;
    ASSERT_TRUE(testing::parseJson(run.out, result)) << run.out;
    EXPECT_EQ(result["status"].text, "ok");
    EXPECT_EQ(result["count"].number, 1);
    EXPECT_EQ(result["log"].items[1].text, "一意解です。");
}

}  // namespace
}  // namespace varnokit
