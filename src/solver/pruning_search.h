// The pruning search of one block of divisors (those beginning with given
// leading digits). It takes the choices in whatever order prunes best — at
// every step the open choice with the fewest digits left: a quotient digit,
// or the divisor's next digit from the left or from the right — and checks
// every partial assignment with the two-ended row test (fast_search_check.h),
// so it finds the block's candidates in no particular order; they are then
// sorted into the reference order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/numbers.h"
#include "solver/fast_search_check.h"
#include "solver/fast_search_puzzle.h"

namespace varnokit::fast {

class RightEndTable;

// One divisor and quotient with every row matching its pattern.
struct Candidate {
    Int128 divisor;
    Int128 quotient;
    Int128 reversed;  // the quotient's digits in reverse order: the order key after the divisor
};

// Divisor ascending, then the quotient read from its last digit (the last
// digit varies slowest).
bool referenceOrder(const Candidate& a, const Candidate& b);

class PruningSearch {
public:
    // `poll` runs every 1024 nodes (it may throw to stop the search).
    PruningSearch(const Puzzle& puzzle, std::function<void()> poll);

    // From now on a block starts from the table's entries that fit its
    // leading digits, instead of from its leading digits alone.
    void useTable(const RightEndTable& table) { table_ = &table; }

    enum class Outcome {
        Complete,     // every candidate of the block is in `out`, in reference order
        OverBudget,   // gave up after the budget's nodes; `out` is empty
        TooMany,      // gave up at the candidate limit; `out` is empty
    };

    // Contract: with Complete, `out` holds every assignment of the block
    // that `consistent` accepts with all digits known, each once, sorted
    // into the reference order. `block.high` leading divisor digits are set.
    Outcome searchBlock(const Partial& block, uint64_t budget, std::size_t maxCandidates,
                        std::vector<Candidate>& out);

    uint64_t nodes() const { return nodes_; }

private:
    struct Domains;
    enum class ChoiceKind { High, Low, Quotient };

    static void assign(Partial& partial, ChoiceKind kind, int k, int digit, int s);
    void explore(const Partial& partial, const Domains& domains);
    void exploreFromTable(const Partial& block, const Domains& domains);
    void freshDivisorDomains(const Partial& partial, Domains& domains) const;
    DigitMask survivors(const Partial& partial, ChoiceKind kind, int k, DigitMask mask) const;
    void record(const Partial& partial);

    const Puzzle& puzzle_;
    std::function<void()> poll_;
    const RightEndTable* table_ = nullptr;
    std::vector<Candidate>* out_ = nullptr;
    std::size_t maxCandidates_ = 0;
    uint64_t nodes_ = 0;
    uint64_t tests_ = 0;      // table entries tested as starts
    uint64_t budgetEnd_ = 0;  // nodes_ at which the block gives up
    bool gaveUp_ = false;
};

}  // namespace varnokit::fast
