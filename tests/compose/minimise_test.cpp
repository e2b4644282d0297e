// Minimise judged by the solver alone: the result has one solution, and
// hiding any shown digit that was free to go gives a second; batches give
// the same puzzle as hiding one digit at a time; the options hold.
#include <gtest/gtest.h>

#include "compose/compose_support.h"
#include "compose/generate.h"
#include "compose/compose_text.h"
#include "compose/minimise.h"
#include "support/text.h"

namespace varnokit::compose {
namespace {

using testing::solveDraft;
using testing::TestControl;
using testing::withCell;

Draft written(const Division& division) {
    Draft draft;
    EXPECT_EQ(writeOut(division, draft), LayoutProblem::None);
    return draft;
}

MinimiseResult run(const Draft& start, const MinimiseOptions& options) {
    TestControl control;
    SolutionProbe probe(control);
    return minimise(start, options, probe, control);
}

// Unique, and every shown digit that may be hidden brings a second solution
// when it alone is hidden: checked by solving, not by the witnesses.
void expectUniqueAndMinimal(const MinimiseResult& result, const MinimiseOptions& options) {
    ASSERT_EQ(result.status, MinimiseStatus::Done);
    const Draft& draft = result.draft;
    const ProbeResult solved = solveDraft(draft, 2);
    ASSERT_EQ(solved.verdict, ProbeVerdict::Unique);
    EXPECT_EQ(solved.found.front(), draft.division);
    const CellState hide = options.style == HideStyle::Star ? CellState::Hidden : CellState::Masked;
    for (int c = 0; c < draft.cellCount(); ++c) {
        const std::size_t i = static_cast<std::size_t>(c);
        if (draft.states[i] != CellState::Shown) continue;
        if (i < options.keep.size() && options.keep[i]) continue;
        if (!options.hideRemainder && draft.rowOf(c).kind == RowKind::Remainder) continue;
        if (hide == CellState::Hidden && draft.digits[i] == draft.condition) continue;
        EXPECT_EQ(solveDraft(withCell(draft, c, hide), 2).verdict, ProbeVerdict::Several) << "cell " << c;
    }
    EXPECT_TRUE(witnessesProveMinimal(result, options));
}

// The plain greedy: try each digit in the same order, one Solve each.
std::vector<CellState> oneAtATime(const Draft& start, const std::vector<int>& order) {
    Draft draft = start;
    for (int cell : order) {
        const Draft trial = withCell(draft, cell, CellState::Hidden);
        if (solveDraft(trial, 2).verdict == ProbeVerdict::Unique) draft = trial;
    }
    return draft.states;
}

TEST(Minimise, GeneratedPuzzlesAreUniqueAndMinimal) {
    for (uint64_t seed = 1; seed <= 6; ++seed) {
        GenerateOptions options;
        options.divisorDigits = 2 + static_cast<int>(seed % 3);
        options.quotientDigits = 3 + static_cast<int>(seed % 2);
        options.seed = seed;
        TestControl control;
        SolutionProbe probe(control);
        const GenerateResult result = generate(options, probe, control);
        expectUniqueAndMinimal(result.minimised, result.hiding);
        EXPECT_GT(hiddenPercent(result.minimised.draft), 50);
        EXPECT_GT(result.minimised.searchSteps, 0u);
    }
}

TEST(Minimise, BatchesGiveThePuzzleThatHidingOneAtATimeGives) {
    for (uint64_t seed = 11; seed <= 15; ++seed) {
        GenerateOptions size;
        size.divisorDigits = 3;
        size.quotientDigits = 3;
        size.remainder = RemainderKind::Any;
        size.seed = seed;
        const Draft start = written(randomDivision(size));
        MinimiseOptions options;
        options.seed = seed;
        options.order = HideOrder::TopDown;
        const MinimiseResult batched = run(start, options);
        ASSERT_EQ(batched.status, MinimiseStatus::Done);
        std::vector<int> order;  // TopDown: quotient, divisor, dividend, lines
        const DraftRow& quotient = start.rows[1];
        for (int c = quotient.firstCell; c < quotient.firstCell + quotient.length; ++c) order.push_back(c);
        for (int c = 0; c < start.cellCount(); ++c)
            if (c < quotient.firstCell || c >= quotient.firstCell + quotient.length) order.push_back(c);
        EXPECT_EQ(batched.draft.states, oneAtATime(start, order)) << "seed " << seed;
        EXPECT_LT(batched.probes, start.cellCount());  // fewer Solves than digits
    }
}

TEST(Minimise, TheSameSeedGivesTheSamePuzzleAndTheOrderMatters) {
    const Draft start = written(Division{467, 8093, 25});
    MinimiseOptions options;
    options.seed = 99;
    const MinimiseResult a = run(start, options), b = run(start, options);
    EXPECT_EQ(a.draft.states, b.draft.states);
    options.order = HideOrder::DivisorFirst;
    const MinimiseResult divisorFirst = run(start, options);
    expectUniqueAndMinimal(divisorFirst, options);
    // Hidden first, the divisor's digits all go: the rest of the puzzle fixes it.
    for (int c = 0; c < 3; ++c) EXPECT_EQ(divisorFirst.draft.states[static_cast<std::size_t>(c)], CellState::Hidden);
}

TEST(Minimise, KeptCellsAndTheConditionDigitStayShown) {
    Draft start = written(Division{467, 8093, 25});
    start.condition = 4;
    MinimiseOptions options;
    options.seed = 5;
    options.keep.assign(static_cast<std::size_t>(start.cellCount()), false);
    const DraftRow& dividend = start.rows[2];
    for (int c = dividend.firstCell; c < dividend.firstCell + dividend.length; ++c) options.keep[static_cast<std::size_t>(c)] = true;
    const MinimiseResult result = run(start, options);
    expectUniqueAndMinimal(result, options);
    for (int c = 0; c < start.cellCount(); ++c) {
        const std::size_t i = static_cast<std::size_t>(c);
        if (options.keep[i] || start.digits[i] == 4) {
            EXPECT_EQ(result.draft.states[i], CellState::Shown) << c;
        }
    }
    EXPECT_EQ(result.draft.condition, 4);
}

TEST(Minimise, MaskingKeepsOneCharacterPerDigitAndIsMinimalToo) {
    GenerateOptions options;
    options.divisorDigits = 3;
    options.quotientDigits = 3;
    options.masks = true;
    options.maskStyle = MaskStyle::Kanji;
    options.seed = 3;
    TestControl control;
    SolutionProbe probe(control);
    const GenerateResult result = generate(options, probe, control);
    expectUniqueAndMinimal(result.minimised, result.hiding);
    const Draft& draft = result.minimised.draft;
    EXPECT_EQ(draft.count(CellState::Hidden), 0);
    EXPECT_GT(draft.count(CellState::Masked), 0);
    for (int d = 0; d < 10; ++d)
        for (int e = d + 1; e < 10; ++e)
            if (!draft.maskOf[static_cast<std::size_t>(d)].empty()) {
                EXPECT_NE(draft.maskOf[static_cast<std::size_t>(d)], draft.maskOf[static_cast<std::size_t>(e)]);
            }
}

TEST(Minimise, RefusesAPuzzleWithoutExactlyItsOwnSolution) {
    Draft several = written(Division{12, 78, 0});
    for (auto& state : several.states) state = CellState::Hidden;  // every 2-by-2 division with remainder 0
    EXPECT_EQ(run(several, {}).status, MinimiseStatus::NotUnique);

    Draft none = written(Division{12, 78, 0});
    none.condition = 8;
    none.states[2] = CellState::Hidden;
    none.states[3] = CellState::Hidden;  // the quotient's 8 is a '*' that may not be 8
    EXPECT_EQ(run(none, {}).status, MinimiseStatus::NoSolution);
}

TEST(Minimise, StopsWhenAskedAndSaysSo) {
    const Draft start = written(Division{467, 8093, 25});
    TestControl control;
    control.stopAfterPolls = 2;
    SolutionProbe probe(control);
    const MinimiseResult result = minimise(start, {}, probe, control);
    EXPECT_EQ(result.status, MinimiseStatus::Stopped);
}

}  // namespace
}  // namespace varnokit::compose
