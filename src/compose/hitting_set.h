// The smallest hitting set: given sets of elements, the fewest elements
// such that every set holds at least one of them. Exact by branch and
// bound while the time allows, the best found so far otherwise.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace varnokit::compose {

class HittingSetProblem {
public:
    explicit HittingSetProblem(int elements);
    // Adds a set (its elements, each in 0 … elements - 1). An empty set can
    // be hit by nothing: the problem then has no answer.
    void add(const std::vector<int>& members);
    int elements() const { return elements_; }
    int sets() const { return static_cast<int>(bits_.size() / words_); }

    // Bits of set s, `words()` words.
    const uint64_t* set(int s) const { return &bits_[static_cast<std::size_t>(s) * words_]; }
    int words() const { return static_cast<int>(words_); }

private:
    int elements_;
    std::size_t words_;
    std::vector<uint64_t> bits_;
};

struct HittingSet {
    std::vector<int> elements;  // ascending
    bool optimal = false;       // proven smallest
    bool found = false;         // false only when some set is empty
};

// Searches until `deadline`, or until `stop` says so (checked now and then).
HittingSet smallestHittingSet(const HittingSetProblem& problem, std::chrono::steady_clock::time_point deadline,
                              const std::function<bool()>& stop = {});

}  // namespace varnokit::compose
