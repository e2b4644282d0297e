// The smallest hitting set against brute force over every subset.
#include <gtest/gtest.h>

#include <algorithm>

#include "compose/hitting_set.h"
#include "compose/random.h"

namespace varnokit::compose {
namespace {

using Clock = std::chrono::steady_clock;

int bruteForceSize(int elements, const std::vector<std::vector<int>>& sets) {
    int best = elements + 1;
    for (uint32_t mask = 0; mask < (1u << elements); ++mask) {
        const bool hitsAll = std::all_of(sets.begin(), sets.end(), [&](const std::vector<int>& s) {
            return std::any_of(s.begin(), s.end(), [&](int e) { return (mask >> e) & 1; });
        });
        if (hitsAll) best = std::min(best, __builtin_popcount(mask));
    }
    return best;
}

bool hitsAll(const std::vector<int>& chosen, const std::vector<std::vector<int>>& sets) {
    return std::all_of(sets.begin(), sets.end(), [&](const std::vector<int>& s) {
        return std::any_of(s.begin(), s.end(), [&](int e) { return std::count(chosen.begin(), chosen.end(), e) > 0; });
    });
}

TEST(HittingSet, SmallestOnRandomProblems) {
    Random dice(7);
    for (int round = 0; round < 200; ++round) {
        const int elements = static_cast<int>(dice.between(1, 14));
        std::vector<std::vector<int>> sets(static_cast<std::size_t>(dice.between(1, 40)));
        HittingSetProblem problem(elements);
        for (auto& s : sets) {
            for (int e = 0; e < elements; ++e)
                if (dice.below(4) == 0) s.push_back(e);
            if (s.empty()) s.push_back(static_cast<int>(dice.below(static_cast<uint64_t>(elements))));
            problem.add(s);
        }
        const HittingSet answer = smallestHittingSet(problem, Clock::now() + std::chrono::seconds(10));
        ASSERT_TRUE(answer.found);
        EXPECT_TRUE(answer.optimal);
        EXPECT_TRUE(hitsAll(answer.elements, sets));
        EXPECT_EQ(static_cast<int>(answer.elements.size()), bruteForceSize(elements, sets)) << "round " << round;
    }
}

TEST(HittingSet, WiderThanOneWord) {
    // Sets {i, i + 100} for i < 50, and {0 … 49}: the answer is 50 elements, the bound proves it.
    HittingSetProblem problem(150);
    std::vector<int> firstHalf;
    for (int i = 0; i < 50; ++i) {
        problem.add({i, i + 100});
        firstHalf.push_back(i);
    }
    problem.add(firstHalf);
    const HittingSet answer = smallestHittingSet(problem, Clock::now() + std::chrono::seconds(10));
    EXPECT_TRUE(answer.optimal);
    EXPECT_EQ(answer.elements.size(), 50u);
}

TEST(HittingSet, OutOfTimeStillHitsEverySetButSaysItIsNotProven) {
    Random dice(9);
    HittingSetProblem problem(120);
    std::vector<std::vector<int>> sets(3000);
    for (auto& s : sets) {
        for (int k = 0; k < 6; ++k) s.push_back(static_cast<int>(dice.below(120)));
        problem.add(s);
    }
    const HittingSet answer = smallestHittingSet(problem, Clock::now() - std::chrono::seconds(1));
    EXPECT_TRUE(answer.found);
    EXPECT_FALSE(answer.optimal);
    EXPECT_TRUE(hitsAll(answer.elements, sets));
}

TEST(HittingSet, AnEmptySetCannotBeHit) {
    HittingSetProblem problem(3);
    problem.add({0, 1});
    problem.add({});
    EXPECT_FALSE(smallestHittingSet(problem, Clock::now() + std::chrono::seconds(1)).found);
    HittingSetProblem nothing(3);
    const HittingSet none = smallestHittingSet(nothing, Clock::now() + std::chrono::seconds(1));
    EXPECT_TRUE(none.found && none.optimal && none.elements.empty());
}

}  // namespace
}  // namespace varnokit::compose
