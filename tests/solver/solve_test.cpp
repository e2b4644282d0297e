// The Solve command end to end with a fake front end: the log lines byte
// for byte, the stored solutions and their order, rejections, the condition,
// letters and abort.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "solver/fake_hooks.h"
#include "solver/solve.h"
#include "solver/written_division.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::FakeHooks;
using testing::sjis;

constexpr double kStart = 46000.5;
constexpr double kSecond = 1.0 / 86400.0;

struct Solving {
    PuzzleState state;
    FakeHooks hooks{&state};
    SolveOptions options{true, SearchEngine::Reference};
    SolveOutcome outcome = SolveOutcome::Rejected;

    explicit Solving(double seconds = 0.0) { hooks.times = {kStart, kStart + seconds * kSecond}; }

    SolveOutcome run(const std::string& divisor, const std::string& quotient,
                     const std::vector<std::string>& body, const std::string& condition = "") {
        PuzzleInput input{divisor, quotient, body, condition};
        outcome = solve(state, input, hooks, options);
        return outcome;
    }
    std::vector<std::pair<int64_t, int64_t>> found() const {
        std::vector<std::pair<int64_t, int64_t>> out;
        for (int i = 0; i < state.solutions.count(); ++i) {
            out.emplace_back(state.solutions.at(i).divisor, state.solutions.at(i).quotient);
        }
        return out;
    }
};

const std::string kStartLine = "2026/12/08 16:00:00 started";

std::string timing(const std::string& seconds) {
    return sjis("  所要時間: ") + seconds + sjis("秒") + "(2596 MHz)";
}

TEST(Solve, WorkedExample) {
    Solving s;
    EXPECT_EQ(s.run("1*", "*8", {"**6", "8*", " *6", " 9*", "0"}), SolveOutcome::Searched);
    EXPECT_EQ(s.hooks.log,
              (std::vector<std::string>{kStartLine, sjis("一意解です。"), timing("0.001")}));
    EXPECT_EQ(s.found(), (std::vector<std::pair<int64_t, int64_t>>{{12, 78}}));
    const WorkRecord record = s.state.solutions.record(0);
    EXPECT_EQ(record.rows[kDividendRow].value, 936);
    EXPECT_EQ(record.rows[partialProductRow(0)].value, 84);
    EXPECT_EQ(record.rows[differenceRow(1)].value, 96);
    EXPECT_EQ(record.rows[partialProductRow(1)].value, 96);
    EXPECT_EQ(s.state.solutions.current(), 0);
    EXPECT_EQ(s.hooks.maskCount, 0);
    EXPECT_EQ(s.hooks.firstSolutionShown, 1);
    EXPECT_FALSE(s.hooks.analyseEnabled);
    EXPECT_EQ(s.hooks.beeps, 1);
    EXPECT_EQ(s.hooks.clockCalls, 1);
    EXPECT_EQ(s.state.abortFlag, 0);
}

TEST(Solve, WorkedExampleWithKanaMasks) {
    // ア stands for 1, イ for 9: 1イ ÷ … = 12 × 78 = 936 with 9 masked.
    Solving s(2.25);
    s.options.beep = false;
    s.run(sjis("アＪ"), sjis("＊８"), {sjis("イ＊６"), "8*", sjis(" ＊６"), sjis(" イ＊"), "0"});
    EXPECT_EQ(s.found(), (std::vector<std::pair<int64_t, int64_t>>{{12, 78}}));
    EXPECT_EQ(s.hooks.maskCount, 3);
    EXPECT_EQ(s.hooks.log.back(), timing("2.25"));
    EXPECT_EQ(s.hooks.beeps, 0);
}

TEST(Solve, ZeroQuotientDigit) {
    // 1224 ÷ 12 = 102: the 0 has no rows, and its pair stays empty.
    Solving s;
    s.run("12", "1*2", {"1224", "12", "  24", "  24", "0"});
    ASSERT_EQ(s.found(), (std::vector<std::pair<int64_t, int64_t>>{{12, 102}}));
    const WorkRecord record = s.state.solutions.record(0);
    EXPECT_EQ(record.rows[partialProductRow(0)].value, 12);
    EXPECT_EQ(record.rows[differenceRow(1)].value, 0);
    EXPECT_EQ(record.rows[partialProductRow(1)].value, 0);
    EXPECT_EQ(record.rows[differenceRow(2)].value, 24);
    EXPECT_EQ(record.rows[partialProductRow(2)].value, 24);
    EXPECT_EQ(s.hooks.log[1], sjis("一意解です。"));
}

TEST(Solve, SeveralSolutionsOnOneLine) {
    // d × 2 = one digit: d is 1 … 4.
    Solving s(1.5);
    s.run("*", "2", {"*", "*", "0"});
    EXPECT_EQ(s.hooks.log,
              (std::vector<std::string>{kStartLine, sjis("4個の解があります。") + timing("1.5")}));
    EXPECT_EQ(s.found(), (std::vector<std::pair<int64_t, int64_t>>{{1, 2}, {2, 2}, {3, 2}, {4, 2}}));
    // The first count at once, the last at the end; in between only a few a second.
    ASSERT_GE(s.hooks.shownCounts.size(), 2u);
    EXPECT_EQ(s.hooks.shownCounts.front(), 1);
    EXPECT_EQ(s.hooks.shownCounts.back(), 4);
    EXPECT_TRUE(s.hooks.analyseEnabled);
    EXPECT_EQ(s.state.solutions.current(), 0);  // the first solution is shown
}

TEST(Solve, NoSolutionAfterASearch) {
    Solving s;
    EXPECT_EQ(s.run("*", "2", {"9", "9", "0"}), SolveOutcome::Searched);
    EXPECT_EQ(s.hooks.log,
              (std::vector<std::string>{kStartLine, sjis("解はありません。"), timing("0.001")}));
    EXPECT_EQ(s.hooks.firstSolutionShown, 0);
    EXPECT_EQ(s.state.solutions.current(), -1);
}

TEST(Solve, RejectedProblems) {
    Solving empty;
    EXPECT_EQ(empty.run("", "", {"936", "84", " 96", " 96", "0"}), SolveOutcome::Rejected);
    EXPECT_EQ(empty.hooks.log, (std::vector<std::string>{kStartLine, sjis("解はありません。"),
                                                         sjis("除数が空白。商が空白。")}));
    EXPECT_EQ(empty.hooks.maskCount, -1);  // not shown
    EXPECT_EQ(empty.hooks.clockCalls, 0);  // no time
    EXPECT_EQ(empty.hooks.endCalls, 1);

    Solving overflow;
    overflow.run("abcdefghijk", "1", {"1", "1", "0"});
    EXPECT_EQ(overflow.hooks.log,
              (std::vector<std::string>{kStartLine, sjis("覆面数が１０を超えています。"),
                                        sjis("解はありません。"), ""}));
}

TEST(Solve, HalfWidthBlanksUnderFullWidthCharactersGetAHint) {
    // Lined up on the screen with two half-width blanks under each full-width
    // digit: two cells each, so the rows end too far right.
    const std::vector<std::string> looksRight = {sjis("９３６"), sjis("８４"), sjis("  ９６"), sjis("  ９６"), "0"};
    Solving misaligned;
    EXPECT_EQ(misaligned.run("12", sjis("７８"), looksRight), SolveOutcome::Rejected);
    ASSERT_EQ(misaligned.hooks.log.size(), 4u);
    EXPECT_EQ(misaligned.hooks.log[1], sjis("解はありません。"));
    EXPECT_EQ(misaligned.hooks.log[3],
              sjis("ヒント: かな・漢字などの全角文字も1文字で1桁です。全角文字の下にそろえる行には、"
                   "半角空白2つではなく全角空白1つを使ってください。"));

    // One full-width blank per cell lines up on the screen and for the parser.
    Solving fullWidthBlanks;
    EXPECT_EQ(fullWidthBlanks.run("12", sjis("７８"), {sjis("９３６"), sjis("８４"), sjis("　９６"), sjis("　９６"), "0"}),
              SolveOutcome::Searched);
    EXPECT_EQ(fullWidthBlanks.found(), (std::vector<std::pair<int64_t, int64_t>>{{12, 78}}));

    // No hint where the mix is not there, or the checks are not what refused it.
    Solving ascii;
    ascii.run("12", "78", {"936", "84", "  96", "  96", "0"});
    EXPECT_EQ(ascii.hooks.log.size(), 3u);
    Solving noHalfWidthBlank;
    noHalfWidthBlank.run("", sjis("７８"), {sjis("９３６"), sjis("８４"), sjis("　９６"), sjis("　９６"), "0"});
    EXPECT_EQ(noHalfWidthBlank.hooks.log.size(), 3u);
    Solving searched;
    searched.run("1*", sjis("＊８"), {sjis("＊＊６"), "8*", " *6", " 9*", "0"});
    EXPECT_EQ(searched.hooks.log.back(), timing("0.001"));
}

TEST(Solve, ContradictionFoundByPropagation) {
    // The remainder 0 matches B with 1; 5 × divisor of two digits then needs
    // A = 1 as well.
    Solving s;
    EXPECT_EQ(s.run("a*", "5", {"1*", "b*", "0"}), SolveOutcome::Rejected);
    EXPECT_EQ(s.hooks.log, (std::vector<std::string>{kStartLine, sjis("解はありません。"),
                                                     sjis("1であるべき桁に矛盾。問題に矛盾。")}));
}

TEST(Solve, LetterBoundToZeroAtTheHeadOfARow) {
    // The missing rows of quotient digit 1 make A = 0, and A heads the divisor.
    Solving s;
    EXPECT_EQ(s.run("a2", "1a2", {"****", "**", "  **", "  **", "0"}), SolveOutcome::Rejected);
    EXPECT_EQ(s.hooks.log, (std::vector<std::string>{kStartLine, sjis("解はありません。"), ""}));
    EXPECT_EQ(s.hooks.maskCount, -1);
    EXPECT_EQ(s.hooks.clockCalls, 0);
}

TEST(Solve, StarMatchedWithALetterKeepsTheCondition) {
    // The remainder 0 makes the dividend's typed '*' the letter A, so A may
    // not be 6 either: 3 × 2 = 6 is out.
    Solving s;
    s.run("*", "2", {"*", "a", "0"}, "6");
    EXPECT_EQ(s.found(), (std::vector<std::pair<int64_t, int64_t>>{{1, 2}, {2, 2}, {4, 2}}));
}

TEST(Solve, StarFixedToTheConditionDigitThroughALetter) {
    // The borrow makes A = 1; the remainder 0 copies A into P_1's typed '*'.
    // Without the condition: 102 ÷ 3 = 34, 105 ÷ 3 = 35, 108 ÷ 3 = 36 (and 12 for 9).
    Solving free;
    free.run("*", "**", {"a**", " *", " a*", " **", "0"});
    EXPECT_EQ(free.found(),
              (std::vector<std::pair<int64_t, int64_t>>{{3, 34}, {3, 35}, {3, 36}, {9, 12}}));
    // With "no * is 1" P_1 would show 1 in a '*' cell: nothing is left.
    Solving one;
    EXPECT_EQ(one.run("*", "**", {"a**", " *", " a*", " **", "0"}, "1"), SolveOutcome::Searched);
    EXPECT_TRUE(one.found().empty());
    EXPECT_EQ(one.hooks.log.back(), timing("0.001"));
}

TEST(Solve, RemainderNotBelowTheDivisorIsNoSolution) {
    // d + 5 with d one digit: only 6 … 9 leave remainder 5.
    Solving s;
    s.run("*", "1", {"**", " *", "5"});
    EXPECT_EQ(s.found(), (std::vector<std::pair<int64_t, int64_t>>{{6, 1}, {7, 1}, {8, 1}, {9, 1}}));
}

TEST(Solve, AbortKeepsTheSolutionsFoundSoFar) {
    Solving s(0.25);
    s.hooks.abortAtInput = 3;  // Abort pressed at the third progress check
    EXPECT_EQ(s.run("***", "*", {"***", "***", "0"}), SolveOutcome::Aborted);
    const int count = s.state.solutions.count();
    ASSERT_GE(count, 2);
    // Not "N個の解があります。": the count is of the solutions found before 中止.
    EXPECT_EQ(s.hooks.log, (std::vector<std::string>{kStartLine, sjis("中止されました！"),
                                                     sjis("中止までに") + std::to_string(count) +
                                                         sjis("個の解が見つかりました。") + timing("0.25")}));
    // The checks ran for the pairs 10 and 11 of the first two digits only.
    EXPECT_LT(s.state.solutions.at(count - 1).divisor, 120);
    EXPECT_EQ(s.hooks.abortDisabled, 1);
    EXPECT_EQ(s.state.abortFlag, 0);
    EXPECT_EQ(s.hooks.firstSolutionShown, 1);
    EXPECT_EQ(s.state.solutions.current(), 0);
}

TEST(Solve, AbortBeforeTheFirstSolutionSaysNoneWasFound) {
    Solving s;
    s.hooks.abortAtInput = 1;
    EXPECT_EQ(s.run("***", "*", {"***", "***", "0"}), SolveOutcome::Aborted);
    ASSERT_EQ(s.state.solutions.count(), 0);
    // Not "解はありません。": none was found before 中止, which says nothing of the rest.
    EXPECT_EQ(s.hooks.log, (std::vector<std::string>{kStartLine, sjis("中止されました！"),
                                                     sjis("中止までに解は見つかりませんでした。"), timing("0.001")}));
}

TEST(Solve, SecondSolveStartsAfresh) {
    Solving s;
    s.run("*", "2", {"*", "*", "0"});
    ASSERT_EQ(s.state.solutions.count(), 4);
    s.hooks.log.clear();
    s.run("1*", "*8", {"**6", "8*", " *6", " 9*", "0"});
    EXPECT_EQ(s.found(), (std::vector<std::pair<int64_t, int64_t>>{{12, 78}}));
    EXPECT_EQ(s.hooks.log[1], sjis("一意解です。"));
}

}  // namespace
}  // namespace varnokit

namespace varnokit {
namespace {

TEST(Solve, FourteenDigitDivisorAndQuotientAreExact) {
    // A 28-digit dividend: far beyond 64 bits. The divisor's last digit and
    // one quotient digit are hidden, with every row they touch.
    const Int128 divisor = 98765432109877;
    const Int128 quotient = 31415926535897;
    const testing::WrittenDivision written = testing::writeDivision(divisor, quotient, 12345);
    ASSERT_EQ(written.dividend.size(), 28u);
    testing::HiddenPuzzle puzzle;
    puzzle.pattern = written;
    puzzle.pattern.divisor.back() = '*';
    puzzle.pattern.quotient[4] = '*';
    for (testing::WrittenLine& line : puzzle.pattern.interior) {
        if (!line.cells.empty()) line.cells.back() = '*';
    }
    puzzle.pattern.dividend[20] = '*';

    Solving s;
    const PuzzleInput input = testing::typedInput(puzzle);
    s.run(input.divisor, input.quotient, input.bodyLines);
    ASSERT_EQ(s.state.solutions.count(), 1);
    const WorkRecord record = s.state.solutions.record(0);
    EXPECT_EQ(toDecimal(record.rows[kDivisorRow].value), written.divisor);
    EXPECT_EQ(toDecimal(record.rows[kQuotientRow].value), written.quotient);
    EXPECT_EQ(toDecimal(record.rows[kDividendRow].value), written.dividend);
    for (std::size_t u = 0; u < written.interior.size(); ++u) {
        EXPECT_EQ(toDecimal(record.rows[kFirstInteriorRow + static_cast<int>(u)].value),
                  written.interior[u].cells);
    }
}

}  // namespace
}  // namespace varnokit


namespace varnokit {
namespace {

TEST(Solve, NearlyTwoMillionSolutionsFitInLittleMemory) {
#ifndef __SANITIZE_ADDRESS__
    constexpr long kLimitKilobytes = 256 * 1024;
    rusage before{};
    ASSERT_EQ(getrusage(RUSAGE_SELF, &before), 0);
#endif
    // d × q = a six-digit dividend, d six digits, q one digit.
    Solving s;
    s.options.beep = false;
    s.run("******", "*", {"******", "******", "0"});
    int64_t expected = 0;
    for (int64_t q = 1; q <= 9; ++q) expected += 999999 / q - 100000 + 1;
    ASSERT_EQ(s.state.solutions.count(), expected);
    EXPECT_EQ(s.state.solutions.at(0).divisor, 100000);
    EXPECT_EQ(s.state.solutions.at(0).quotient, 1);
    EXPECT_EQ(s.state.solutions.at(1).quotient, 2);
    EXPECT_EQ(s.state.solutions.at(s.state.solutions.count() - 1).divisor, 999999);
    EXPECT_EQ(toDecimal(s.state.solutions.record(s.state.solutions.count() - 1).rows[kDividendRow].value),
              "999999");

#ifndef __SANITIZE_ADDRESS__
    // The process's peak, whatever ran before in it (ctest runs each test
    // alone; a whole-binary run may have met a larger peak already, and then
    // the figure says nothing). AddressSanitizer's shadow memory and
    // quarantine would swamp it, so not there.
    if (before.ru_maxrss >= kLimitKilobytes) GTEST_SKIP() << "an earlier test in this process already peaked higher";
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, kLimitKilobytes);  // kilobytes
#endif
}

}  // namespace
}  // namespace varnokit
