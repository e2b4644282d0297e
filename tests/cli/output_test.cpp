// The command line's output of a finished Solve: solutions laid out as the
// solution pane shows them, and the JSON form.
#include <gtest/gtest.h>

#include "analysis/solved_state.h"
#include "cli/json_output.h"
#include "cli/solution_digest.h"
#include "cli/solution_text.h"
#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "support/text.h"

namespace varnokit::cli {
namespace {

using varnokit::testing::Layout;
using varnokit::testing::solvedState;
using varnokit::testing::sjis;

// 12 ) 936 = 78: typed body 936, 84, " 96", " 96", 0 (digits hidden).
Layout workedExample() { return Layout{"1*", "*8", "", "**6", {"8*", " *6", " 9*"}, 0}; }
// 1229 / 12 = 102 r 5: the zero digit leaves an empty pair, R_2 and P_2 typed two columns in.
Layout zeroDigit() { return Layout{"1*", "1*2", "102", "12**", {"12", "", "", "  2*", "  24"}, 5}; }

TEST(SolutionText, WorkedExampleAsThePaneShowsIt) {
    auto state = solvedState(workedExample(), {{12, 78}});
    EXPECT_EQ(paneLines(*state, 0), (std::vector<std::string>{"936", "84", " 96", " 96", "  0"}));
    EXPECT_EQ(quotientLine(*state, 0), " 78");
    EXPECT_EQ(solutionBlock(*state, 0),
              (std::vector<std::string>{"1番目／1個中", "    78", "12 936", "   84", "    96", "    96",
                                        "     0"}));
}

TEST(SolutionText, ZeroQuotientDigitHasNoLinesAndRemainderEndsUnderTheDividend) {
    auto state = solvedState(zeroDigit(), {{12, 102}});
    EXPECT_EQ(paneLines(*state, 0), (std::vector<std::string>{"1229", "12", "  29", "  24", "   5"}));
    EXPECT_EQ(quotientLine(*state, 0), " 102");
}

TEST(SolutionText, NumbersAndHeadingFollowTheSolution) {
    auto state = solvedState(Layout{"1*", "7", "", "**", {"**"}, 0}, {{12, 7}, {13, 7}, {14, 7}});
    std::vector<std::string> second = solutionBlock(*state, 1);
    ASSERT_EQ(second.size(), 5u);
    EXPECT_EQ(second[0], "2番目／3個中");
    EXPECT_EQ(second[2], "13 91");
    EXPECT_EQ(rightAligned("12345", 3), "12345");  // wider than its field: whole, not cut
    EXPECT_EQ(rightAligned("7", 3), "  7");
}

TEST(SolutionText, HiddenRemainderAndQuotientEndingInZero) {
    // 365720 / 51 = 7170 r 50 with the remainder typed as "**": the pane and
    // the JSON show each solution's own remainder, brought-down digit and all.
    PuzzleState state;
    testing::FakeHooks hooks(&state);
    const PuzzleInput input{"51", "71*0", {"36572*", "357", "  87", "  51", "  362", "  357", "**"}, ""};
    ASSERT_EQ(solve(state, input, hooks, SolveOptions{false, SearchEngine::Reference}), SolveOutcome::Searched);
    ASSERT_EQ(state.solutions.count(), 1);
    EXPECT_EQ(solutionBlock(state, 0),
              (std::vector<std::string>{"1番目／1個中", "     7170", "51 365720", "   357", "     87", "     51",
                                        "     362", "     357", "       50"}));
    EXPECT_EQ(solveJson("p.txt", "ok", {}, state),
              "{\"file\": \"p.txt\", \"status\": \"ok\", \"log\": [], \"count\": 1, \"solutions\": "
              "[{\"divisor\": \"51\", \"quotient\": \"7170\", \"dividend\": \"365720\", \"remainder\": \"50\", "
              "\"rows\": [\"357\", \"87\", \"51\", \"362\", \"357\"]}]}");
}

TEST(SolutionDigest, HiddenRemaindersArePartOfEachLine) {
    // FNV-1a 64 of "12 78\n", and of "12 78 0\n12 78 1\n12 78 3\n", worked out apart.
    auto state = solvedState(workedExample(), {{12, 78}});
    EXPECT_EQ(solutionDigest(state->solutions), "48c7b800d4b45719");
    PuzzleState hidden;
    testing::FakeHooks hooks(&hidden);
    const PuzzleInput input{"12", "78", {"93*", "84", " 9*", " 96", "*"}, "2"};
    ASSERT_EQ(solve(hidden, input, hooks, SolveOptions{false, SearchEngine::Fast}), SolveOutcome::Searched);
    EXPECT_EQ(solutionDigest(hidden.solutions), "99495f0116901e9b");
}

TEST(JsonOutput, EscapesControlsQuotesAndBrokenUtf8) {
    EXPECT_EQ(jsonString("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
    EXPECT_EQ(jsonString("解"), "\"解\"");
    EXPECT_EQ(jsonString("x\x82y"), "\"x\\ufffdy\"");           // a lone cp932 lead byte
    EXPECT_EQ(jsonString("\xe8\xa7"), "\"\\ufffd\\ufffd\"");      // a cut-off sequence
    EXPECT_EQ(jsonString("\xed\xa0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");  // a surrogate
}

TEST(JsonOutput, SolutionsWithTheirWrittenRows) {
    auto state = solvedState(zeroDigit(), {{12, 102}});
    const std::vector<std::string> log{"start", sjis("一意解です。")};
    EXPECT_EQ(solveJson("p.txt", "ok", log, *state),
              "{\"file\": \"p.txt\", \"status\": \"ok\", \"log\": [\"start\", \"一意解です。\"], "
              "\"count\": 1, \"solutions\": [{\"divisor\": \"12\", \"quotient\": \"102\", "
              "\"dividend\": \"1229\", \"remainder\": \"5\", \"rows\": [\"12\", \"29\", \"24\"]}]}");
}

TEST(JsonOutput, RejectedPuzzleAndFileError) {
    PuzzleState state;
    EXPECT_EQ(solveJson("-", "rejected", {sjis("解はありません。"), sjis("商が空白。")}, state),
              "{\"file\": \"-\", \"status\": \"rejected\", \"log\": [\"解はありません。\", \"商が空白。\"], "
              "\"count\": 0, \"solutions\": []}");
    EXPECT_EQ(errorJson("x.txt", "gone"),
              "{\"file\": \"x.txt\", \"status\": \"error\", \"message\": \"gone\"}");
}

}  // namespace
}  // namespace varnokit::cli
