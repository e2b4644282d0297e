// compose, minimise and repair on the command line, and the masks of solve's
// output; every puzzle written is solved again by the solve command.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>

#include "cli/mini_json.h"
#include "cli/run.h"
#include "cli/run_program.h"
#include "cli/fake_services.h"

namespace varnokit::cli {
namespace {

using testing::JsonValue;

const std::string kExamples = std::string(VARNOKIT_TEST_DATA_DIR) + "/../../examples/";

struct CliRun {
    int status = -1;
    std::string out, err;
    JsonValue json;
};

CliRun run(const std::vector<std::string>& args, SystemServices (*system)(bool) = fakeServices) {
    std::FILE* in = std::tmpfile();
    std::ostringstream out, err;
    CliIo io{in, out, err, false, system};
    CliRun result;
    result.status = runCli(args, io);
    std::fclose(in);
    result.out = out.str();
    result.err = err.str();
    if (!result.out.empty() && result.out[0] == '{') {
        EXPECT_TRUE(testing::parseJson(result.out, result.json)) << result.out;
    }
    return result;
}

// The one solution `solve` finds for a problem file, as JSON.
JsonValue solveFile(const std::string& path) {
    const CliRun solved = run({"solve", "--json", path});
    EXPECT_EQ(solved.json["count"].number, 1) << solved.out;
    return solved.json["solutions"].items.empty() ? JsonValue{} : solved.json["solutions"].items[0];
}

TEST(ComposeCli, AGeneratedPuzzleIsWrittenSolvedAndMadeAgainFromItsSeed) {
    const std::string folder = testing::makeTempFolder();
    const std::string file = folder + "/made.txt";
    const CliRun made = run({"compose", "--size", "3x4", "--seed", "2024", "--json", "--out", file});
    ASSERT_EQ(made.status, kExitSearched) << made.err;
    const JsonValue& json = made.json;
    EXPECT_EQ(json["status"].text, "ok");
    EXPECT_EQ(json["seed"].number, 2024);
    EXPECT_TRUE(json["minimal"].boolean);
    EXPECT_EQ(json["file"].text, file);
    EXPECT_GE(json["hiddenPercent"].number, 50);
    EXPECT_EQ(json["cells"].number, json["shown"].number + json["hidden"].number + json["masked"].number);
    const JsonValue solution = solveFile(file);
    EXPECT_EQ(solution["divisor"].text, json["division"]["divisor"].text);
    EXPECT_EQ(solution["quotient"].text, json["division"]["quotient"].text);
    EXPECT_EQ(solution["divisor"].text.size(), 3u);
    EXPECT_EQ(solution["quotient"].text.size(), 4u);

    const CliRun again = run({"compose", "--size", "3x4", "--seed", "2024", "--json"});
    EXPECT_EQ(again.json["puzzle"]["body"].items.size(), json["puzzle"]["body"].items.size());
    for (std::size_t i = 0; i < json["puzzle"]["body"].items.size(); ++i)
        EXPECT_EQ(again.json["puzzle"]["body"].items[i].text, json["puzzle"]["body"].items[i].text);
}

TEST(ComposeCli, MasksAndAConditionMakeAMaskedPuzzleThatStaysUnique) {
    const std::string file = testing::makeTempFolder() + "/kanji.txt";
    const CliRun made = run({"compose", "--size", "2x3", "--seed", "8", "--masks", "kanji", "--condition", "random",
                          "--remainder", "nonzero", "--out", file});
    ASSERT_EQ(made.status, kExitSearched) << made.err;
    EXPECT_NE(made.out.find("覆面にした桁"), std::string::npos) << made.out;
    const CliRun solved = run({"solve", file});
    EXPECT_NE(solved.out.find("一意解です。"), std::string::npos);
    EXPECT_NE(solved.out.find("="), std::string::npos);  // the mask table under the solution
}

TEST(ComposeCli, MinimiseADivisionGivenAsNumbersKeepingItsDivisor) {
    const CliRun done = run({"minimise", "--divisor", "12", "--dividend", "936", "--keep", "divisor", "--seed", "3", "--json"});
    ASSERT_EQ(done.status, kExitSearched) << done.err;
    EXPECT_EQ(done.json["puzzle"]["divisor"].text, "12");
    EXPECT_TRUE(done.json["minimal"].boolean);
    EXPECT_EQ(done.json["division"]["quotient"].text, "78");

    const CliRun text = run({"minimise", "--divisor", "12", "--dividend", "936", "--order", "bottom-up"});
    EXPECT_NE(text.out.find("一意のまま隠しました。"), std::string::npos) << text.out;
}

TEST(ComposeCli, MinimiseRefusesAPuzzleWithSeveralSolutions) {
    const CliRun refused = run({"minimise", kExamples + "several_solutions.txt"});
    EXPECT_EQ(refused.status, kExitRejected);
    EXPECT_NE(refused.out.find("解が一つではないので"), std::string::npos) << refused.out;
}

TEST(ComposeCli, RepairRevealsTheFewestDigitsForTheChosenSolution) {
    const std::string file = testing::makeTempFolder() + "/repaired.txt";
    const CliRun repaired = run({"repair", "--solution", "3", "--json", "--out", file, kExamples + "several_solutions.txt"});
    ASSERT_EQ(repaired.status, kExitSearched) << repaired.err;
    EXPECT_TRUE(repaired.json["exact"].boolean);
    EXPECT_EQ(repaired.json["solutionCount"].number, 6);
    ASSERT_EQ(repaired.json["reveals"].items.size(), 1u);
    const JsonValue solution = solveFile(file);
    EXPECT_EQ(solution["divisor"].text, repaired.json["solution"]["divisor"].text);
    EXPECT_EQ(solution["quotient"].text, repaired.json["solution"]["quotient"].text);

    const CliRun unique = run({"repair", kExamples + "worked_example.txt"});
    EXPECT_EQ(unique.status, kExitRejected);
    EXPECT_NE(unique.out.find("解は一つだけです。"), std::string::npos);
}

SystemServices clockRunsAway(bool) {
    SystemServices s = fakeServices(false);
    auto now = std::make_shared<double>(0);
    s.monotonicSeconds = [now] { return *now += 10; };
    return s;
}

TEST(ComposeCli, ATimeoutStopsTheCommandAndWritesNothing) {
    const std::string file = testing::makeTempFolder() + "/never.txt";
    const CliRun stopped = run({"compose", "--size", "6x6", "--seed", "1", "--timeout", "5", "--out", file}, clockRunsAway);
    EXPECT_EQ(stopped.status, kExitAborted);
    EXPECT_NE(stopped.out.find("中止されました！"), std::string::npos) << stopped.out;
    EXPECT_EQ(std::fopen(file.c_str(), "r"), nullptr);
}

TEST(ComposeCli, UsageErrorsSayWhat) {
    const std::string starTwo = testing::makeTempFolder() + "/star_two.txt";  // its '*' stands for 2
    testing::writeFileBytes(starTwo, "1*\r\n78\r\n936\r\n84\r\n 96\r\n 96\r\n0\r\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"compose", "x.txt"}, "compose takes no file"},
        {{"compose", "--size", "15x2"}, "--size needs"},
        {{"compose", "--size", "3x1", "--zeros", "some"}, "--zeros some needs"},
        {{"compose", "--keep", "divisor"}, "does not belong"},
        {{"minimise"}, "no problem file given"},
        {{"minimise", "--divisor", "12"}, "both --divisor and --dividend"},
        {{"minimise", "--divisor", "12", "--dividend", "11"}, "at least the divisor"},
        {{"minimise", "--divisor", "12", "--dividend", "936", "--keep", "line9"}, "no such cells"},
        {{"minimise", "--condition", "x", "a.txt"}, "--condition must be"},
        {{"minimise", "--condition", "2", starTwo}, "stands for 2"},
        {{"repair", "--solution", "0", "a.txt"}, "--solution needs"},
        {{"repair", "--seed", "1", "a.txt"}, "does not belong"},
        {{"repair", "missing.txt"}, "missing.txt"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun refused = run(args);
        EXPECT_EQ(refused.status, kExitUsage) << args[1];
        EXPECT_NE(refused.err.find(message), std::string::npos) << refused.err;
    }
}

TEST(ComposeCli, HelpNamesTheComposersCommands) {
    const CliRun help = run({"--help"});
    for (const char* word : {"compose [options]", "minimise [options]", "repair [options]", "--masks", "--keep", "--time-limit"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    EXPECT_EQ(run({"compose", "--help"}).out, help.out);
}

TEST(SolveCli, EachSolutionShowsWhatItsMasksStandFor) {
    const std::string kana = std::string(VARNOKIT_PUZZLE_DIR) + "/sano_14_4_kana.txt";
    const CliRun text = run({"solve", kana});
    EXPECT_NE(text.out.find("\nア=1 イ=6 ウ=7 エ=9 オ=8 カ=2 キ=4 ク=3 ケ=5 コ=0\n"), std::string::npos) << text.out;
    const CliRun json = run({"solve", "--json", kana});
    const JsonValue& masks = json.json["solutions"].items.at(0)["masks"];
    EXPECT_EQ(masks["ア"].text, "1");
    EXPECT_EQ(masks["コ"].text, "0");
    EXPECT_EQ(masks.members.size(), 10u);
    const CliRun plain = run({"solve", "--json", kExamples + "worked_example.txt"});
    EXPECT_EQ(plain.json["solutions"].items.at(0)["masks"].kind, JsonValue::Kind::Null);
}

}  // namespace
}  // namespace varnokit::cli
