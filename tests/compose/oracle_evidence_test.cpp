// The composed puzzles an independent solver checked (tests/data/compose):
// this program's solver agrees on each puzzle and on each puzzle with one
// more digit hidden, and each command makes its puzzle again, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <sstream>

#include "cli/fake_services.h"
#include "cli/mini_json.h"
#include "cli/run.h"
#include "cli/run_program.h"
#include "compose/compose_support.h"
#include "files/problem_file.h"
#include "model/normaliser.h"
#include "support/text.h"

namespace varnokit::compose {
namespace {

const std::string kFolder = VARNOKIT_TEST_DATA_DIR "/compose/oracle/";

std::vector<std::string> evidenceNames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(kFolder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            const std::string suffix = ".minimal.json";
            if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                names.push_back(name.substr(0, name.size() - suffix.size()));
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

testing::JsonValue readJson(const std::string& path) {
    testing::JsonValue value;
    EXPECT_TRUE(testing::parseJson(testing::readFileBytes(path), value)) << path;
    return value;
}

ProbeResult solveBoxes(const ProblemBoxes& boxes) {
    testing::TestControl control;
    SolutionProbe probe(control);
    return probe.run(PuzzleInput{boxes.divisor, boxes.quotient, boxes.body, boxes.condition}, 2);
}

// The data line `line` (1 the divisor, 2 the quotient, then the body) with
// its `column`-th character (from 1) replaced by `replacement`.
ProblemBoxes withCharacter(ProblemBoxes boxes, int line, int column, const std::string& replacement) {
    std::string& text = line == 1 ? boxes.divisor : line == 2 ? boxes.quotient : boxes.body.at(static_cast<std::size_t>(line - 3));
    std::size_t at = 0;
    for (int c = 1; c < column; ++c) at += cp932CharLength(text, at);
    text.replace(at, cp932CharLength(text, at), replacement);
    return boxes;
}

TEST(OracleEvidence, EveryPuzzleUniqueAndEveryVariantNot) {
    const std::vector<std::string> names = evidenceNames();
    ASSERT_GE(names.size(), 20u);
    int variants = 0;
    for (const std::string& name : names) {
        ProblemBoxes boxes;
        ASSERT_EQ(readProblemFile(kFolder + name + ".txt", boxes), FileStatus::Ok) << name;
        const testing::JsonValue answer = readJson(kFolder + name + ".json");
        ASSERT_EQ(answer["count"].number, 1) << name;
        const ProbeResult solved = solveBoxes(boxes);
        ASSERT_EQ(solved.verdict, ProbeVerdict::Unique) << name;
        EXPECT_EQ(std::to_string(solved.found[0].divisor), answer["solutions"].items[0]["divisor"].text) << name;
        EXPECT_EQ(std::to_string(solved.found[0].quotient), answer["solutions"].items[0]["quotient"].text) << name;

        const testing::JsonValue minimal = readJson(kFolder + name + ".minimal.json");
        for (const testing::JsonValue& variant : minimal["variants"].items) {
            ASSERT_GE(variant["oracleCount"].number, 2);
            const ProblemBoxes hidden = withCharacter(boxes, static_cast<int>(variant["line"].number),
                                                      static_cast<int>(variant["column"].number),
                                                      testing::sjis(variant["as"].text));
            EXPECT_EQ(solveBoxes(hidden).verdict, ProbeVerdict::Several)
                << name << " line " << variant["line"].number << " column " << variant["column"].number;
            ++variants;
        }
    }
    EXPECT_GE(variants, 100);
}

TEST(OracleEvidence, EachCommandMakesItsPuzzleAgain) {
    const std::string folder = testing::makeTempFolder();
    for (const std::string& name : evidenceNames()) {
        std::vector<std::string> args;
        const testing::JsonValue minimal = readJson(kFolder + name + ".minimal.json");
        for (const testing::JsonValue& word : minimal["command"].items)
            args.push_back(word.text);
        ASSERT_EQ(args.at(0), "varnokit-cli");
        args.erase(args.begin());
        const std::string made = folder + "/" + name + ".txt";
        args.insert(args.end(), {"--out", made});
        std::FILE* in = std::tmpfile();
        std::ostringstream out, err;
        cli::CliIo io{in, out, err, false, cli::fakeServices};
        EXPECT_EQ(cli::runCli(args, io), cli::kExitSearched) << name << err.str();
        std::fclose(in);
        EXPECT_EQ(testing::readFileBytes(made), testing::readFileBytes(kFolder + name + ".txt")) << name;
    }
}

}  // namespace
}  // namespace varnokit::compose
