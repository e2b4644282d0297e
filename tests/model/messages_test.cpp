// Every message of the checks, each produced by a puzzle typed into the
// boxes, with the step that must stop on it. Messages of one step run
// together without separators.
#include <gtest/gtest.h>

#include "check_steps.h"

namespace varnokit {
namespace {

using testing::makeInput;
using testing::Step;

struct MessageCase {
    const char* name;
    PuzzleInput input;
    Step step;
    const char* message;  // UTF-8
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class CheckMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(CheckMessage, StopsAtItsStepWithExactText) {
    const MessageCase& c = GetParam();
    PuzzleState state;
    EXPECT_EQ(testing::runChecks(state, c.input), c.step);
    EXPECT_EQ(testing::utf8(state.pending), c.message);
    EXPECT_EQ(state.pending, testing::sjis(c.message));
}

const std::string tooLongLine(32, '*');

std::string caseName(const ::testing::TestParamInfo<MessageCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    Parse, CheckMessage,
    ::testing::Values(
        MessageCase{"TwoBodyLines", makeInput("12", "78", {"936", "0"}), Step::Parse,
                    "被除数以下の行数が足りない。被除数以下の行数が奇数でない。"},
        // The body is not looked at: its too-long middle line goes unreported.
        MessageCase{"EmptyDivisorAndQuotient", makeInput(" ", "　", {"936", "8444", " 96", " 96", "0"}), Step::Parse,
                    "除数が空白。商が空白。"},
        MessageCase{"EvenBodyLines", makeInput("12", "78", {"936", "84", " 96", "0"}), Step::Parse,
                    "被除数以下の行数が奇数でない。"},
        MessageCase{"MiddleLineLongerThanDividend", makeInput("12", "78", {"936", "  84", " 96", " 96", "0"}),
                    Step::Parse, "部分積1行目が被除数より長い。部分積偶数行目の長さが前行より長くない。"},
        MessageCase{"DifferenceLineNotLonger", makeInput("12", "78", {"936", "84", "96", "96", "0"}), Step::Parse,
                    "部分積偶数行目の長さが前行より長くない。"},
        MessageCase{"ProductLineNotEqual", makeInput("12", "78", {"936", "84", " 96", "96", "0"}), Step::Parse,
                    "部分積奇数行目の長さが前行と等しくない。"},
        MessageCase{"ConditionTen", makeInput("12", "78", {"936", "84", " 96", " 96", "0"}, "10"), Step::Parse,
                    "条件が１桁でない。"},
        MessageCase{"ConditionNegative", makeInput("12", "78", {"936", "84", " 96", " 96", "0"}, "-1"), Step::Parse,
                    "条件が１桁でない。"},
        MessageCase{"ConditionLetter", makeInput("12", "78", {"936", "84", " 96", " 96", "0"}, "a"), Step::Parse,
                    "条件が数字でない。"},
        MessageCase{"MoreLinesThanQuotientDigits", makeInput("12", "7", {"936", "84", " 96", " 96", "0"}),
                    Step::Parse, "部分積行数が多すぎる。"},
        // Characters that would otherwise act as mask letters.
        MessageCase{"BlankInsideDivisor", makeInput("1 2", "78", {"936", "84", " 96", " 96", "0"}), Step::Parse,
                    "除数に使えない文字がある。"},
        MessageCase{"TildeInQuotient", makeInput("12", "7~", {"936", "84", " 96", " 96", "0"}), Step::Parse,
                    "商に使えない文字がある。"},
        MessageCase{"HalfWidthKatakanaInDividend", makeInput("12", "78", {"ｱ36", "84", " 96", " 96", "0"}),
                    Step::Parse, "被除数に使えない文字がある。"},
        MessageCase{"TabInMiddleLine", makeInput("12", "78", {"936", "84", "\t96", " 96", "0"}), Step::Parse,
                    "部分積2行目に使えない文字がある。"},
        MessageCase{"DividendTooLong", makeInput("12", "78", {tooLongLine, "84", " 96", " 96", "0"}), Step::Parse,
                    "被除数が長すぎる。"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    LengthChecks, CheckMessage,
    ::testing::Values(
        MessageCase{"DivisorOver14Digits",
                    makeInput(std::string(15, '*'), "*", {std::string(15, '*'), std::string(15, '*'), "0"}),
                    Step::LengthChecks, "除数の桁数超過。"},
        MessageCase{"QuotientOver14Digits",
                    makeInput("*", std::string(15, '*'), {std::string(15, '*'), std::string(14, ' ') + "*", "0"}),
                    Step::LengthChecks, "商の桁数超過。"},
        MessageCase{"DigitCountsDisagree", makeInput("123", "78", {"936", "84", " 96", " 96", "0"}),
                    Step::LengthChecks, "除数・被除数・商の桁数に矛盾。"},
        MessageCase{"LeadingZeros", makeInput("02", "08", {"936", "84", " 06", " 96", "0"}), Step::LengthChecks,
                    "除数の先頭が0。商の先頭が0。部分積の先頭が0。"},
        // A remainder with hidden cells is written without a leading 0.
        MessageCase{"HiddenRemainderLeadingZero", makeInput("12", "78", {"936", "84", " 96", " 90", "0*"}),
                    Step::LengthChecks, "余りの先頭が0。"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    LayoutChecks, CheckMessage,
    ::testing::Values(
        MessageCase{"DifferenceLinesTooNarrow", makeInput("12", "78", {"936", "84", "  6", "  6", "0"}),
                    Step::LayoutChecks, "除数と部分積の桁数に矛盾。除数と部分積の桁数に矛盾。"},
        // Ending early stands for zeros ending the quotient, but not before
        // the first quotient digit's column.
        MessageCase{"LastProductShort", makeInput("12", "7", {"936", "84", "0"}), Step::LayoutChecks,
                    "被除数と最終部分積の桁数に矛盾。"},
        MessageCase{"OnlyProductNeitherFirstNorLast", makeInput("12", "780", {"93600", "  84", "0"}),
                    Step::LayoutChecks, "被除数と最初の部分積の桁数に矛盾。"},
        // Would give five interior rows for a two-digit quotient.
        MessageCase{"FirstProductTooFarLeft", makeInput("12", "78", {"9360", "84", "  96", "  96", "0"}),
                    Step::LayoutChecks, "被除数と最初の部分積の桁数に矛盾。"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Relayout, CheckMessage,
    ::testing::Values(
        MessageCase{"RemainderEmpty", makeInput("12", "78", {"936", "84", " 96", " 96", ""}), Step::Relayout,
                    "余りが数字でない。"},
        MessageCase{"RemainderBlankInside", makeInput("12", "78", {"936", "84", " 96", " 90", "  1 2"}),
                    Step::Relayout, "余りが数字でない。"},
        MessageCase{"HiddenRemainderBlankInside", makeInput("12", "78", {"936", "84", " 96", " 90", "ア *"}),
                    Step::Relayout, "余りが数字でない。"},
        MessageCase{"RemainderLongerThanLastProduct", makeInput("12", "78", {"936", "84", " 96", " 90", "123"}),
                    Step::Relayout, "余りの桁数に誤り。"},
        MessageCase{"HiddenRemainderLongerThanLastProduct",
                    makeInput("12", "78", {"936", "84", " 96", " 90", "**3"}), Step::Relayout, "余りの桁数に誤り。"},
        // Measured against the last written product when the quotient ends in 0.
        MessageCase{"RemainderLongerThanProductBeforeZero",
                    makeInput("12", "780", {"9365", "84", " 96", " 96", "105"}), Step::Relayout, "余りの桁数に誤り。"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Prededuce, CheckMessage,
    ::testing::Values(
        MessageCase{"ZeroRemainderRowsDiffer", makeInput("12", "8", {"960", " 96", "0"}), Step::Prededuce,
                    " 余りが０で２行の長さが等しくない"},
        // R_1 is missing, so quotient digit 1 is 0, not the typed 5.
        MessageCase{"TypedDigitWhereZeroForced", makeInput("12", "758", {"8496", "84", "  96", "  96", "0"}),
                    Step::Prededuce, "0であるべき数字が0でない。"},
        // The last product ends a column early: the quotient's last digit is 0.
        MessageCase{"TypedDigitWhereQuotientEndsInZero", makeInput("12", "788", {"9365", "84", " 96", " 96", "5"}),
                    Step::Prededuce, "0であるべき数字が0でない。"},
        // The digit brought down after the last product is the remainder's last digit.
        MessageCase{"BroughtDownIntoRemainderDiffers", makeInput("12", "780", {"9365", "84", " 96", " 96", "7"}),
                    Step::Prededuce, "一致すべき数字が異なる。"},
        // With remainder 0, so is every digit brought down after the last product.
        MessageCase{"ZeroRemainderAfterZeroDigits", makeInput("12", "*00", {"8*07", "**", "0"}), Step::Prededuce,
                    "一致すべき数字が異なる。0であるべき数字が0でない。"},
        // A is bound to 0 as quotient digit 1; the borrow of P_0 needs it to be 1.
        MessageCase{"LetterBoundElsewhere", makeInput("9", "7A8", {"A***", " 9", "  **", "  **", "0"}),
                    Step::Prededuce, "1であるべき桁に矛盾。"},
        MessageCase{"BroughtDownDigitsDiffer", makeInput("12", "78", {"935", "84", " *6", " **", "0"}),
                    Step::Prededuce, "一致すべき数字が異なる。"},
        MessageCase{"BroughtDownLettersDiffer", makeInput("12", "78", {"93A", "84", " *B", " **", "0"}),
                    Step::Prededuce, "一致すべき文字が異なる。"},
        // A takes the brought-down 6; then B must equal P_1's 6, which A holds.
        MessageCase{"LetterWantsTakenDigit", makeInput("12", "78", {"93A", "84", " B6", " 6*", "0"}),
                    Step::Prededuce, "文字に矛盾。"}),
    caseName);

TEST(CheckMessage, MaskOverflowLeavesPendingEmpty) {
    PuzzleState state;
    EXPECT_EQ(parse(state, makeInput("abcdefghij", "k", {"936", "84", " 96", " 96", "0"})), ParseStatus::MaskOverflow);
    EXPECT_EQ(parse(state, makeInput("ab", "cd", {"efg", "hi", " jk", " 96", "0"})), ParseStatus::MaskOverflow);
    EXPECT_TRUE(state.pending.empty());
    EXPECT_EQ(testing::utf8(kMaskOverflowMessage), "覆面数が１０を超えています。");
}

}  // namespace
}  // namespace varnokit
