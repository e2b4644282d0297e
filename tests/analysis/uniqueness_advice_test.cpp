// The analysis's advice taken at its word: every condition and every
// revealed digit it lists, applied to the typed puzzle and solved again,
// must leave exactly one solution.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/uniqueness.h"
#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::sjis;

std::unique_ptr<PuzzleState> solved(const PuzzleInput& input) {
    auto state = std::make_unique<PuzzleState>();
    testing::FakeHooks hooks;
    solve(*state, input, hooks, SolveOptions{false, SearchEngine::Reference});
    return state;
}

// Applies one revealed-digit line ("prefix P → P′") to the typed puzzle.
PuzzleInput revealed(const PuzzleInput& input, const std::string& line) {
    const std::string arrow = sjis(" → ");
    const std::size_t at = line.find(arrow);
    EXPECT_NE(at, std::string::npos);
    const std::string after = line.substr(at + arrow.size());
    const std::string head = line.substr(0, at);
    PuzzleInput changed = input;
    if (head.rfind(sjis("  被除数: "), 0) == 0) {
        changed.bodyLines[0] = after;
    } else if (head.rfind(sjis("  除数: "), 0) == 0) {
        changed.divisor = after;
    } else if (head.rfind(sjis("  商: "), 0) == 0) {
        changed.quotient = after;
    } else {
        const std::string prefix = sjis("  部分積");
        const std::string suffix = sjis("行目: ");
        EXPECT_EQ(head.rfind(prefix, 0), 0u) << testing::utf8(line);
        const std::size_t end = head.find(suffix);
        const int lineNumber = std::stoi(head.substr(prefix.size(), end - prefix.size()));
        const std::string typed = head.substr(end + suffix.size());
        const std::string blanks = typed.substr(0, typed.find_first_not_of(' '));
        changed.bodyLines.at(static_cast<std::size_t>(lineNumber)) = blanks + after;
    }
    return changed;
}

struct AdvicePuzzle {
    const char* name;
    PuzzleInput input;
};

void PrintTo(const AdvicePuzzle& puzzle, std::ostream* out) { *out << puzzle.name; }

class UniquenessAdvice : public ::testing::TestWithParam<AdvicePuzzle> {};

TEST_P(UniquenessAdvice, EveryListedChangeLeavesOneSolution) {
    const PuzzleInput& input = GetParam().input;
    auto state = solved(input);
    ASSERT_GE(state->solutions.count(), 2);

    const std::vector<std::string> conditions = analyseConditions(*state);
    const std::vector<std::string> digits = analyseDigits(*state);
    ASSERT_FALSE(conditions.empty() && digits.empty());
    for (std::size_t i = 1; i < conditions.size(); ++i) {
        PuzzleInput changed = input;
        changed.condition = std::string(1, conditions[i].back());
        EXPECT_EQ(solved(changed)->solutions.count(), 1) << testing::utf8(conditions[i]);
    }
    for (std::size_t i = 1; i < digits.size(); ++i) {
        EXPECT_EQ(solved(revealed(input, digits[i]))->solutions.count(), 1) << testing::utf8(digits[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    HandPuzzles, UniquenessAdvice,
    ::testing::Values(
        // The worked example with fewer digits given: six solutions.
        AdvicePuzzle{"FewerDigits", {"1*", "**", {"**6", "8*", " **", " **", "0"}, ""}},
        // 25 x 809 = 20225 and 25 x 909 = 22725: the quotient's middle '*'
        // is fixed to 0 before the search, and 22725 has no other 0 in a '*'
        // cell; "no * is 0" would leave no solution and must not be advised.
        AdvicePuzzle{"ZeroDigit", {"2*", "***", {"2**2*", "***", "  225", "  *25", "0"}, ""}},
        // A letter shared by divisor, quotient and dividend.
        AdvicePuzzle{"Letters", {"A*", "*A", {"**A", "**", " **", " **", "0"}, ""}},
        // All digits erased except the ones: three solutions.
        AdvicePuzzle{"OnlyOnes",
                     {"**", "1***", {"****1", "**", "*1*", "1**", " ***", " ***", "  111", "  111", "0"}, ""}}),
    [](const ::testing::TestParamInfo<AdvicePuzzle>& named) { return std::string(named.param.name); });

}  // namespace
}  // namespace varnokit
