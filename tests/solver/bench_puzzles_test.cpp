// The benchmark's puzzles through the fast engine: every generated and wide
// unique-solution puzzle gives its answer file's solution, and the dense
// layouts with up to a few hundred thousand solutions give their answer's
// count and digest (the whole list, in order).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/solution_digest.h"
#include "files/problem_file.h"
#include "solver/answer_file.h"
#include "solver/fake_hooks.h"
#include "solver/solve.h"

namespace varnokit {
namespace {

using testing::FakeHooks;

const std::filesystem::path kBench = std::filesystem::path(VARNOKIT_BENCH_PUZZLE_DIR);
const std::filesystem::path kDense = std::filesystem::path(VARNOKIT_BENCH_PUZZLE_DIR) / "dense";

// The puzzles of `folder`, named by their path from `base` without ".txt".
std::vector<std::string> puzzleNames(const std::filesystem::path& folder, const std::filesystem::path& base) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt") {
            names.push_back(std::filesystem::relative(entry.path(), base).replace_extension().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> uniquePuzzleNames() {
    std::vector<std::string> names = puzzleNames(kBench / "generated", kBench);
    for (const std::string& name : puzzleNames(kBench / "wide", kBench)) names.push_back(name);
    return names;
}

SolveOutcome solveFast(const std::filesystem::path& file, PuzzleState& state) {
    ProblemBoxes boxes;
    EXPECT_EQ(readProblemFile(file.string(), boxes), FileStatus::Ok);
    FakeHooks hooks(&state);
    const PuzzleInput input{boxes.divisor, boxes.quotient, boxes.body, boxes.condition};
    return solve(state, input, hooks, SolveOptions{false, SearchEngine::Fast});
}

std::string testName(const ::testing::TestParamInfo<std::string>& param) {
    std::string name;
    for (char c : param.param) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

class GeneratedPuzzle : public ::testing::TestWithParam<std::string> {};

TEST_P(GeneratedPuzzle, FastEngineFindsTheOneSolution) {
    const std::filesystem::path base = kBench / GetParam();
    testing::KnownAnswers answers;
    ASSERT_TRUE(testing::readKnownAnswers(base.string() + ".json", answers));
    PuzzleState state;
    ASSERT_EQ(solveFast(base.string() + ".txt", state), SolveOutcome::Searched);
    ASSERT_EQ(state.solutions.count(), answers.count);
    ASSERT_EQ(answers.count, 1);
    const WorkRecord record = state.solutions.record(0);
    EXPECT_EQ(toDecimal(record.rows[kDivisorRow].value), answers.solutions[0].divisor);
    EXPECT_EQ(toDecimal(record.rows[kQuotientRow].value), answers.solutions[0].quotient);
    EXPECT_EQ(toDecimal(record.rows[kDividendRow].value), answers.solutions[0].dividend);
    EXPECT_EQ(toDecimal(record.rows[kRemainderRow].value), answers.solutions[0].remainder);
}

INSTANTIATE_TEST_SUITE_P(Bench, GeneratedPuzzle, ::testing::ValuesIn(uniquePuzzleNames()), testName);

// The count and digest of a dense answer file ({"count": N, "digest": "…"}).
bool readDenseAnswer(const std::filesystem::path& path, int64_t& count, std::string& digest) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string json = text.str();
    const std::size_t c = json.find("\"count\": ");
    const std::size_t d = json.find("\"digest\": \"");
    if (c == std::string::npos || d == std::string::npos) return false;
    count = std::stoll(json.substr(c + 9));
    digest = json.substr(d + 11, 16);
    return true;
}

// The dense layouts small enough for the default test run.
std::vector<std::string> smallDenseNames() {
    std::vector<std::string> names;
    for (const std::string& name : puzzleNames(kDense, kDense)) {
        int64_t count = 0;
        std::string digest;
        if (readDenseAnswer(kDense / (name + ".json"), count, digest) && count <= 300000) names.push_back(name);
    }
    return names;
}

class DensePuzzle : public ::testing::TestWithParam<std::string> {};

TEST_P(DensePuzzle, FastEngineListsTheReferenceSolutionsInOrder) {
    int64_t count = 0;
    std::string digest;
    ASSERT_TRUE(readDenseAnswer(kDense / (GetParam() + ".json"), count, digest));
    PuzzleState state;
    ASSERT_EQ(solveFast(kDense / (GetParam() + ".txt"), state), SolveOutcome::Searched);
    EXPECT_EQ(state.solutions.count(), count);
    EXPECT_EQ(cli::solutionDigest(state.solutions), digest);
}

INSTANTIATE_TEST_SUITE_P(Bench, DensePuzzle, ::testing::ValuesIn(smallDenseNames()), testName);

TEST(BenchPuzzles, TheFoldersAreThere) {
    EXPECT_GE(uniquePuzzleNames().size(), 200u);
    EXPECT_GE(smallDenseNames().size(), 80u);
}

}  // namespace
}  // namespace varnokit
