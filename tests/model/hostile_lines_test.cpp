// Box texts that no keyboard produces but files and pastes can: bytes that
// must never pass for part of a number.
#include <gtest/gtest.h>

#include "model/check_steps.h"

namespace varnokit::testing {
namespace {

PuzzleInput workedExampleWithRemainder(const std::string& remainder) {
    PuzzleInput input = makeInput("12", "78", {"936", "84", " 96", " 96"});
    input.bodyLines.push_back(remainder);
    return input;
}

TEST(HostileLines, NulInsideTheRemainderIsRejected) {
    // "0", NUL, "*": read as a C string the remainder would pass for 0.
    PuzzleState state;
    EXPECT_EQ(runChecks(state, workedExampleWithRemainder(std::string("0\0*", 3))), Step::Parse);
    EXPECT_FALSE(state.pending.empty());
}

TEST(HostileLines, ControlBytesInsideOtherLinesAreRejected) {
    PuzzleState state;
    PuzzleInput input = makeInput("12", "78", {"936", "84", " 96", " 96", "0"});
    input.bodyLines[2] = std::string(" 9\x01" "6", 4);
    EXPECT_EQ(runChecks(state, input), Step::Parse);
    input = makeInput("1\x7f" "2", "78", {"936", "84", " 96", " 96", "0"});
    EXPECT_EQ(runChecks(state, input), Step::Parse);
}

TEST(HostileLines, RemainderWithBlankAmongWildcardsKeepsItsOwnMessage) {
    PuzzleState state;
    EXPECT_EQ(runChecks(state, workedExampleWithRemainder("* *")), Step::Relayout);
    EXPECT_EQ(utf8(state.pending), "余りが数字でない。");
}

}  // namespace
}  // namespace varnokit::testing
