// Repair judged by the solver and by brute force: the repaired puzzle has
// the chosen solution alone, and no smaller set of revealed units does it.
#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>

#include "compose/compose_support.h"
#include "compose/draft_from_puzzle.h"
#include "compose/repair.h"
#include "files/problem_file.h"
#include "support/text.h"

namespace varnokit::compose {
namespace {

using testing::sjis;
using testing::solveDraft;
using testing::TestControl;

PuzzleInput fromFile(const std::string& name) {
    ProblemBoxes boxes;
    EXPECT_EQ(readProblemFile(name, boxes), FileStatus::Ok);
    return PuzzleInput{boxes.divisor, boxes.quotient, boxes.body, boxes.condition};
}

const PuzzleInput kSixSolutions{"1*", "**", {"**6", "8*", " **", " **", "0"}, ""};

// The size of the smallest set of units (hidden cells, masks) telling the
// chosen solution from every other, by trying every subset.
std::size_t bruteForceRepairSize(const PuzzleInput& puzzle, int64_t index) {
    TestControl control;
    SolutionProbe probe(control);
    const ProbeResult all = probe.run(puzzle, 100000);
    Draft draft;
    EXPECT_TRUE(draftFromPuzzle(probe.state(), all.found[static_cast<std::size_t>(index)], draft));
    std::vector<int> units;
    for (int c = 0; c < draft.cellCount(); ++c)
        if (draft.states[static_cast<std::size_t>(c)] != CellState::Shown) units.push_back(c);
    // Per other solution, the units it differs in, as a bit mask.
    std::vector<std::bitset<256>> differs;
    for (const Division& other : all.found) {
        if (other == draft.division) continue;
        std::vector<uint8_t> digits;
        EXPECT_TRUE(digitsInShape(draft, other, digits));
        std::bitset<256> bits;
        for (std::size_t u = 0; u < units.size(); ++u) {
            const std::size_t cell = static_cast<std::size_t>(units[u]);
            bits[u] = digits[cell] != draft.digits[cell];
        }
        differs.push_back(bits);
    }
    // The smallest number of units, by trying every subset of each size in turn.
    EXPECT_LE(units.size(), 256u);
    for (std::size_t size = 0; size <= units.size(); ++size) {
        std::vector<bool> pick(units.size(), false);
        std::fill(pick.end() - static_cast<std::ptrdiff_t>(size), pick.end(), true);
        do {
            std::bitset<256> mask;
            for (std::size_t u = 0; u < units.size(); ++u) mask[u] = pick[u];
            if (std::all_of(differs.begin(), differs.end(), [&](const std::bitset<256>& d) { return (d & mask).any(); }))
                return size;
        } while (std::next_permutation(pick.begin(), pick.end()));
    }
    return units.size();
}

void expectRepaired(const RepairResult& result) {
    ASSERT_EQ(result.status, RepairStatus::Done);
    const ProbeResult solved = solveDraft(result.draft, 2);
    ASSERT_EQ(solved.verdict, ProbeVerdict::Unique);
    EXPECT_EQ(solved.found.front(), result.chosen);
}

TEST(Repair, EachOfSixSolutionsWithTheFewestRevealedDigits) {
    for (int64_t index = 0; index < 6; ++index) {
        TestControl control;
        SolutionProbe probe(control);
        const RepairResult result = repair(kSixSolutions, index, {}, probe, control);
        expectRepaired(result);
        EXPECT_TRUE(result.exact);
        EXPECT_TRUE(result.countComplete);
        EXPECT_EQ(result.solutionsAtStart, 6);
        EXPECT_EQ(result.reveals.size(), bruteForceRepairSize(kSixSolutions, index)) << "solution " << index + 1;
    }
}

TEST(Repair, ReadingFewSolutionsAtFirstStillGivesTheSmallest) {
    const PuzzleInput puzzle = fromFile(VARNOKIT_PUZZLE_DIR "/teaser2937_cond1.txt");
    for (int64_t index = 0; index < 3; ++index) {
        TestControl control;
        SolutionProbe probe(control);
        RepairOptions few;
        few.enumerateLimit = 2;  // the others come from checking the answers
        few.roundLimit = 2;
        const RepairResult lazy = repair(puzzle, index, few, probe, control);
        const RepairResult full = repair(puzzle, index, {}, probe, control);
        expectRepaired(lazy);
        EXPECT_TRUE(lazy.exact);
        EXPECT_FALSE(lazy.countComplete);
        EXPECT_EQ(lazy.reveals.size(), full.reveals.size());
        EXPECT_EQ(full.reveals.size(), bruteForceRepairSize(puzzle, index));
    }
}

// Generated puzzles with 85 to 448 solutions (counted by an independent
// solver), masks among their cells: the first and the last solution.
TEST(Repair, PuzzlesWithHundredsOfSolutions) {
    const struct {
        const char* name;
        int64_t count;
    } kPuzzles[] = {{"multi_000", 448}, {"multi_005", 256}, {"multi_006", 85}};
    for (const auto& puzzle : kPuzzles) {
        const PuzzleInput input = fromFile(std::string(VARNOKIT_TEST_DATA_DIR "/compose/repair/") + puzzle.name + ".txt");
        for (int64_t index : {int64_t{0}, puzzle.count - 1}) {
            TestControl control;
            SolutionProbe probe(control);
            const RepairResult result = repair(input, index, {}, probe, control);
            expectRepaired(result);
            EXPECT_TRUE(result.exact);
            EXPECT_EQ(result.solutionsAtStart, puzzle.count);
            EXPECT_EQ(result.reveals.size(), bruteForceRepairSize(input, index)) << puzzle.name << " " << index;
        }
    }
}

TEST(Repair, WithNoTimeLeftTheAnswerStillRepairsButIsNotCalledExact) {
    TestControl control;
    SolutionProbe probe(control);
    RepairOptions rushed;
    rushed.seconds = 1e-9;
    const RepairResult result = repair(kSixSolutions, 2, rushed, probe, control);
    expectRepaired(result);
    EXPECT_FALSE(result.exact);
}

TEST(Repair, AMaskIsRevealedInEveryCellItMasks) {
    // The six solutions written with a mask for the dividend's first digit:
    // the divisor's leading 1 and the masked cells still leave several.
    const PuzzleInput masked{"1*", "**", {sjis("ア*6"), "8*", " **", " **", "0"}, ""};
    TestControl control;
    SolutionProbe probe(control);
    const RepairResult result = repair(masked, 0, {}, probe, control);
    expectRepaired(result);
    for (const Reveal& reveal : result.reveals) {
        if (reveal.cell < 0) {
            EXPECT_EQ(result.draft.count(CellState::Masked), 0);
        }
    }
}

TEST(Repair, SaysWhyWhenThereIsNothingToRepair) {
    TestControl control;
    SolutionProbe probe(control);
    const PuzzleInput unique{"12", "78", {"936", "84", " 96", " 96", "0"}, ""};
    EXPECT_EQ(repair(unique, 0, {}, probe, control).status, RepairStatus::AlreadyUnique);
    const PuzzleInput none{"12", "79", {"936", "84", " 96", " 96", "0"}, ""};
    EXPECT_EQ(repair(none, 0, {}, probe, control).status, RepairStatus::NoSolution);
    const PuzzleInput refused{"", "", {}, ""};
    EXPECT_EQ(repair(refused, 0, {}, probe, control).status, RepairStatus::Rejected);
    EXPECT_EQ(repair(kSixSolutions, 6, {}, probe, control).status, RepairStatus::NoSuchSolution);
    EXPECT_EQ(repair(kSixSolutions, Division{13, 72, 0}, {}, probe, control).status, RepairStatus::NoSuchSolution);
    control.stopAfterPolls = 0;
    EXPECT_EQ(repair(kSixSolutions, 0, {}, probe, control).status, RepairStatus::Stopped);
}

}  // namespace
}  // namespace varnokit::compose
