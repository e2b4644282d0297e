// The worked example 12 × 78 = 936 through every step before the search,
// once with all digits given and once with the digits the layout forces
// hidden.
#include <gtest/gtest.h>

#include "check_steps.h"

namespace varnokit {
namespace {

using testing::makeInput;
using testing::runChecks;
using testing::Step;
using testing::text;

TEST(WorkedExample, ParsesIntoTypedOrderThenSolverOrder) {
    PuzzleState state;
    PuzzleInput input = makeInput("12", "78", {"936", "84", " 96", " 96", "0"});
    ASSERT_EQ(parse(state, input), ParseStatus::Ok);
    EXPECT_EQ(state.bodyLineCount, 5);
    EXPECT_EQ(text(state.problem.rows[0]), "12");
    EXPECT_EQ(text(state.problem.rows[1]), "78");
    EXPECT_EQ(text(state.problem.rows[2]), "936");
    EXPECT_EQ(text(state.problem.rows[3]), "0");
    EXPECT_EQ(text(state.problem.rows[4]), "84");
    EXPECT_EQ(text(state.problem.rows[5]), " 96");
    EXPECT_EQ(state.problem.rows[5].length, 3);
    EXPECT_EQ(std::string(state.problem.rows[5].raw), " 96");
    EXPECT_EQ(state.conditionDigit, -1);
    EXPECT_EQ(state.conditionChar, 0);

    ASSERT_EQ(runChecks(state, input), Step::Done) << testing::utf8(state.pending);
    // Solver order: P_0, R_1, P_1, interior rows trimmed in the WorkRecord
    // and kept with their blanks in the problem record.
    EXPECT_EQ(text(state.work.rows[4]), "84");
    EXPECT_EQ(text(state.work.rows[5]), "96");
    EXPECT_EQ(text(state.work.rows[6]), "96");
    EXPECT_EQ(state.work.rows[5].length, 2);
    EXPECT_EQ(text(state.problem.rows[5]), " 96");
    EXPECT_EQ(state.problem.rows[6].length, 3);
    EXPECT_EQ(state.work.rows[3].value, 0);
}

TEST(WorkedExample, PrededucesBroughtDownDigitAndZeroRemainderRows) {
    PuzzleState state;
    // 936 / 12 = 78: the 6 of R_1 is brought down from the dividend, and
    // with remainder 0 R_1 and P_1 are equal.
    PuzzleInput input = makeInput("**", "**", {"93*", "**", " *6", " 9*", "0"});
    ASSERT_EQ(runChecks(state, input), Step::Done) << testing::utf8(state.pending);
    EXPECT_EQ(text(state.work.rows[2]), "936");  // R_1's 6 brought up into the dividend
    EXPECT_EQ(text(state.work.rows[5]), "96");   // R_1 takes P_1's 9
    EXPECT_EQ(text(state.work.rows[6]), "96");   // P_1 takes R_1's 6
    EXPECT_EQ(text(state.work.rows[4]), "**");
    EXPECT_EQ(text(state.work.rows[1]), "**");
    EXPECT_EQ(std::string(state.problem.rows[5].text), " *6");  // the layout as typed
}

}  // namespace
}  // namespace varnokit
