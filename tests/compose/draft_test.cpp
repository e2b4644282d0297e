// Divisions written out cell by cell: the layout the parser reads back as
// the same division, and the cell-by-cell fit that the witnesses rely on
// compared with the solver on every division of small sizes.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "compose/compose_support.h"
#include "compose/draft_from_puzzle.h"
#include "compose/generate.h"
#include "compose/random.h"
#include "files/problem_file.h"
#include "support/text.h"

namespace varnokit::compose {
namespace {

using testing::sjis;
using testing::solveDraft;

TEST(WriteOut, TheWorkedExampleAsTypedOnPaper) {
    Draft draft;
    ASSERT_EQ(writeOut(Division{12, 78, 0}, draft), LayoutProblem::None);
    const ProblemBoxes boxes = draftBoxes(draft);
    EXPECT_EQ(boxes.divisor, "12");
    EXPECT_EQ(boxes.quotient, "78");
    EXPECT_EQ(boxes.body, (std::vector<std::string>{"936", "84", " 96", " 96", "  0"}));
    EXPECT_EQ(boxes.condition, "");
    EXPECT_EQ(draft.cellCount(), 2 + 2 + 3 + 2 + 2 + 2 + 1);
    EXPECT_EQ(draft.rows[5].line, 3);
    EXPECT_EQ(draft.rows.back().kind, RowKind::Remainder);
}

TEST(WriteOut, ZeroQuotientDigitsHaveNoLinesAndTheRemainderStandsRightAligned) {
    Draft draft;
    // 1 234 567 = 12 × 102 880 + 7 would end in 0; 12 × 10 203 + 5 = 122 441.
    ASSERT_EQ(writeOut(Division{12, 10203, 5}, draft), LayoutProblem::None);
    const ProblemBoxes boxes = draftBoxes(draft);
    EXPECT_EQ(boxes.body, (std::vector<std::string>{"122441", "12", "  24", "  24", "    41", "    36", "     5"}));
    // Solver order: P_0, then R_2/P_2 and R_4/P_4 (digits 1 and 3 are 0).
    std::vector<int> records;
    for (const DraftRow& row : draft.rows) records.push_back(row.recordRow);
    EXPECT_EQ(records, (std::vector<int>{0, 1, 2, 4, 7, 8, 11, 12, 3}));
}

TEST(WriteOut, RefusesWhatNoLayoutOfThisClassHolds) {
    Draft draft;
    EXPECT_EQ(writeOut(Division{12, 78, 12}, draft), LayoutProblem::RemainderTooLarge);
    EXPECT_EQ(writeOut(Division{0, 78, 0}, draft), LayoutProblem::DivisorSize);
    EXPECT_EQ(writeOut(Division{123456789012345, 7, 0}, draft), LayoutProblem::DivisorSize);
    EXPECT_EQ(writeOut(Division{7, 123456789012345, 0}, draft), LayoutProblem::QuotientSize);
    EXPECT_EQ(writeOutDividend(12, "936", draft), LayoutProblem::None);
    EXPECT_EQ(draft.division, (Division{12, 78, 0}));
    EXPECT_EQ(writeOutDividend(12, "11", draft), LayoutProblem::QuotientSize);
    // A quotient ending in 0: its last zero has no lines, the remainder line
    // is the last difference with the digit brought down after it.
    ASSERT_EQ(writeOutDividend(51, "365720", draft), LayoutProblem::None);
    EXPECT_EQ(draftBoxes(draft).body,
              (std::vector<std::string>{"365720", "357", "  87", "  51", "  362", "  357", "    50"}));
}

// Every division, written out with all its digits shown, is the one
// solution the solver finds: the layout is the one the parser expects.
TEST(WriteOut, TheSolverReadsEveryWrittenDivisionBack) {
    Random dice(15);
    for (int round = 0; round < 300; ++round) {
        GenerateOptions size;
        size.divisorDigits = static_cast<int>(dice.between(1, 14));
        size.quotientDigits = static_cast<int>(dice.between(1, 14));
        size.remainder = RemainderKind::Any;
        size.seed = dice.next();
        const Division division = randomDivision(size);
        Draft draft;
        ASSERT_EQ(writeOut(division, draft), LayoutProblem::None);
        const ProbeResult result = solveDraft(draft, 2);
        ASSERT_EQ(result.verdict, ProbeVerdict::Unique) << division.divisor << " " << division.quotient;
        EXPECT_EQ(result.found.front(), division);
    }
}

// Brute force over every division of the puzzle's size (every remainder
// too when it is not all shown), judged cell by cell by fitsCells, against
// the solver on the typed puzzle.
std::set<std::tuple<int64_t, int64_t, int64_t>> fittingDivisions(const Draft& draft) {
    std::set<std::tuple<int64_t, int64_t, int64_t>> out;
    const DraftRow& remainder = draft.rows.back();
    bool remainderShown = true;
    for (int c = remainder.firstCell; c < remainder.firstCell + remainder.length; ++c)
        remainderShown = remainderShown && draft.states[static_cast<std::size_t>(c)] == CellState::Shown;
    const int s = draft.rows[0].length, q = draft.rows[1].length;
    int64_t low = 1, quotientLow = 1;
    for (int i = 1; i < s; ++i) low *= 10;
    for (int i = 1; i < q; ++i) quotientLow *= 10;
    std::vector<uint8_t> digits;
    for (int64_t d = low; d < low * 10; ++d)
        for (int64_t quotient = quotientLow; quotient < quotientLow * 10; ++quotient)
            for (int64_t r = remainderShown ? draft.division.remainder : 0;
                 r < (remainderShown ? draft.division.remainder + 1 : d); ++r)
                if (digitsInShape(draft, Division{d, quotient, r}, digits) && fitsCells(draft, draft.states, digits))
                    out.insert({d, quotient, r});
    return out;
}

TEST(FitsCells, AgreesWithTheSolverOnRandomHiddenAndMaskedPuzzles) {
    Random dice(1501);
    for (int round = 0; round < 80; ++round) {
        GenerateOptions size;
        size.divisorDigits = static_cast<int>(dice.between(1, 2));
        size.quotientDigits = static_cast<int>(dice.between(1, 3));
        size.remainder = RemainderKind::Any;
        size.seed = dice.next();
        Draft draft;
        ASSERT_EQ(writeOut(randomDivision(size), draft), LayoutProblem::None);
        const char* kana[] = {"ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ"};
        for (int d = 0; d < 10; ++d) draft.maskOf[static_cast<std::size_t>(d)] = sjis(kana[d]);
        for (auto& state : draft.states) {
            const uint64_t roll = dice.below(10);
            state = roll < 6 ? CellState::Hidden : roll < 8 ? CellState::Masked : CellState::Shown;
        }
        // A hidden remainder widens the search by every remainder: one-digit divisors only.
        const DraftRow& remainder = draft.rows.back();
        if (size.divisorDigits > 1)
            for (int c = remainder.firstCell; c < remainder.firstCell + remainder.length; ++c)
                draft.states[static_cast<std::size_t>(c)] = CellState::Shown;
        draft.condition = dice.below(3) == 0 ? static_cast<int>(dice.below(10)) : -1;
        // A hidden cell holding the condition digit would rule the division itself out.
        for (std::size_t i = 0; i < draft.states.size(); ++i)
            if (draft.states[i] == CellState::Hidden && draft.digits[i] == draft.condition) draft.states[i] = CellState::Shown;

        const ProbeResult solved = solveDraft(draft, 100000);
        ASSERT_TRUE(solved.complete);
        std::set<std::tuple<int64_t, int64_t, int64_t>> bySolver;
        for (const Division& found : solved.found) bySolver.insert({found.divisor, found.quotient, found.remainder});
        EXPECT_EQ(bySolver, fittingDivisions(draft)) << testing::utf8(draftBoxes(draft).body.front());
    }
}

TEST(DraftFromPuzzle, ReadsTypedMasksAndTheirCharacters) {
    ProblemBoxes boxes;
    ASSERT_EQ(readProblemFile(VARNOKIT_PUZZLE_DIR "/sano_14_4_kana.txt", boxes), FileStatus::Ok);
    testing::TestControl control;
    SolutionProbe probe(control);
    const ProbeResult result = probe.run(PuzzleInput{boxes.divisor, boxes.quotient, boxes.body, boxes.condition}, 2);
    ASSERT_EQ(result.verdict, ProbeVerdict::Unique);
    Draft draft;
    ASSERT_TRUE(draftFromPuzzle(probe.state(), result.found.front(), draft));
    EXPECT_EQ(draft.division, (Division{167, 9829, 0}));
    EXPECT_EQ(draft.maskOf[1], sjis("ア"));
    EXPECT_EQ(draft.maskOf[6], sjis("イ"));
    EXPECT_EQ(draft.maskOf[5], sjis("ケ"));
    // "アケコ３": the fourth cell of line 1 is the shown 3.
    const DraftRow& line1 = draft.rows[3];
    EXPECT_EQ(draft.states[static_cast<std::size_t>(line1.firstCell + 3)], CellState::Shown);
    EXPECT_EQ(draft.states[static_cast<std::size_t>(line1.firstCell)], CellState::Masked);
    // Typed back in full-width form, it is the same puzzle.
    const ProbeResult again = solveDraft(draft, 2);
    ASSERT_EQ(again.verdict, ProbeVerdict::Unique);
    EXPECT_EQ(again.found.front(), draft.division);
    EXPECT_EQ(draftBoxes(draft).divisor, sjis("アイウ"));
    EXPECT_EQ(draftBoxes(draft).body.back(), sjis("　　　　　　０"));
}

TEST(DraftFromPuzzle, RefusesADivisionThatIsNoSolution) {
    testing::TestControl control;
    SolutionProbe probe(control);
    ASSERT_EQ(probe.run(PuzzleInput{"1*", "78", {"936", "84", " 96", " 96", "0"}, ""}, 2).verdict, ProbeVerdict::Unique);
    Draft draft;
    EXPECT_TRUE(draftFromPuzzle(probe.state(), Division{12, 78, 0}, draft));
    EXPECT_FALSE(draftFromPuzzle(probe.state(), Division{13, 72, 0}, draft));  // 936 = 13 × 72, other rows
}

}  // namespace
}  // namespace varnokit::compose
