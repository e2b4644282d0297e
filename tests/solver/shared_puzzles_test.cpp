// Every bundled puzzle file solved through solve(), compared with its known
// answers in order; and generated puzzles typed as a user would, solved
// through the whole pipeline and compared with brute force.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "files/problem_file.h"
#include "solver/answer_file.h"
#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "solver/written_division.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::FakeHooks;
using testing::KnownSolution;

// The solution as the answer files write it: the written middle lines are
// the non-zero interior rows in solver order.
KnownSolution describe(const SolutionList& list, int index) {
    Int128 values[kRowCount];
    list.rowValues(index, values);
    KnownSolution out{toDecimal(values[kDivisorRow]), toDecimal(values[kQuotientRow]),
                      toDecimal(values[kDividendRow]), toDecimal(values[kRemainderRow]), {}};
    const int q = list.shared().rows[kQuotientRow].length;
    for (int row = kFirstInteriorRow; row <= partialProductRow(q - 1); ++row) {
        if (values[row] != 0) out.rows.push_back(toDecimal(values[row]));
    }
    return out;
}

std::vector<std::string> sharedPuzzleNames(const std::string& subfolder = "") {
    std::vector<std::string> names;
    const std::filesystem::path folder = std::filesystem::path(VARNOKIT_PUZZLE_DIR) / subfolder;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string describeInput(const PuzzleInput& input) {
    std::string text = "divisor " + input.divisor + " quotient " + input.quotient + " condition [" +
                       input.condition + "]\n";
    for (const std::string& line : input.bodyLines) text += "|" + line + "\n";
    return text;
}

// Solves the puzzle file `name` (a path below the puzzle folder, without
// ".txt") with `engine` and compares every solution with its answer file.
void expectKnownAnswers(const std::string& name, SearchEngine engine) {
    const std::filesystem::path base = std::filesystem::path(VARNOKIT_PUZZLE_DIR) / name;
    ProblemBoxes boxes;
    ASSERT_EQ(readProblemFile(base.string() + ".txt", boxes), FileStatus::Ok);
    testing::KnownAnswers answers;
    ASSERT_TRUE(testing::readKnownAnswers(base.string() + ".json", answers));

    PuzzleState state;
    FakeHooks hooks(&state);
    const PuzzleInput input{boxes.divisor, boxes.quotient, boxes.body, boxes.condition};
    const SolveOutcome outcome = solve(state, input, hooks, SolveOptions{false, engine});
    ASSERT_EQ(outcome, SolveOutcome::Searched);
    ASSERT_EQ(state.solutions.count(), answers.count);
    ASSERT_EQ(static_cast<int>(answers.solutions.size()), answers.count);
    for (int i = 0; i < answers.count; ++i) {
        EXPECT_EQ(describe(state.solutions, i), answers.solutions[static_cast<std::size_t>(i)])
            << "solution " << i + 1;
    }
}

std::string testName(const ::testing::TestParamInfo<std::string>& param) {
    std::string name;
    for (char c : param.param) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    }
    return name;
}

class SharedPuzzle : public ::testing::TestWithParam<std::string> {};

TEST_P(SharedPuzzle, SolutionsMatchTheKnownAnswersInOrder) { expectKnownAnswers(GetParam(), SearchEngine::Reference); }

INSTANTIATE_TEST_SUITE_P(Files, SharedPuzzle, ::testing::ValuesIn(sharedPuzzleNames()), testName);

// Hidden remainders and quotients ending in 0, with both engines.
class WidePuzzle : public ::testing::TestWithParam<std::string> {};

TEST_P(WidePuzzle, BothEnginesGiveTheKnownAnswersInOrder) {
    expectKnownAnswers("wide/" + GetParam(), SearchEngine::Reference);
    expectKnownAnswers("wide/" + GetParam(), SearchEngine::Fast);
}

INSTANTIATE_TEST_SUITE_P(Files, WidePuzzle, ::testing::ValuesIn(sharedPuzzleNames("wide")), testName);

TEST(SolvePipeline, AgreesWithBruteForceOnTypedPuzzles) {
    std::mt19937 random(8122026);
    int withSolutions = 0;
    int rejected = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int s = 1 + trial % 3;
        const int q = 1 + (trial / 3) % 3;
        if (s + q > 5) continue;
        const testing::HiddenPuzzle puzzle = testing::randomPuzzle(random, s, q);
        const std::vector<testing::BruteSolution> expected = testing::bruteForce(puzzle);

        PuzzleState state;
        FakeHooks hooks(&state);
        const SolveOutcome outcome =
            solve(state, testing::typedInput(puzzle), hooks, SolveOptions{false, SearchEngine::Reference});
        std::vector<testing::BruteSolution> found;
        for (int i = 0; i < state.solutions.count(); ++i) {
            found.push_back({state.solutions.at(i).divisor, state.solutions.at(i).quotient});
        }
        // A rejection (a contradiction the checks found) must mean no solution.
        if (outcome == SolveOutcome::Rejected) {
            ++rejected;
            EXPECT_TRUE(expected.empty()) << "trial " << trial << ": " << testing::utf8(hooks.log.back())
                                          << "\n" << describeInput(testing::typedInput(puzzle));
            continue;
        }
        ASSERT_EQ(found, expected) << "trial " << trial;
        withSolutions += expected.empty() ? 0 : 1;
    }
    EXPECT_GT(withSolutions, 100);
}

}  // namespace
}  // namespace varnokit
