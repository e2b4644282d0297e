// The pruning search of one block of divisors (those beginning with given
// leading digits). It takes the choices in whatever order prunes best — at
// every step the open choice with the fewest digits left: a quotient digit,
// the divisor's next digit from the left or from the right, a mask letter's
// digit or an open remainder's next digit — and checks
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
    // Only the divisor is known: its quotients are left to the ordered search.
    bool wholeDivisor = false;
};

// Divisor ascending, then the quotient read from its last digit (the last
// digit varies slowest); a whole divisor before its single quotients.
bool referenceOrder(const Candidate& a, const Candidate& b);

class PruningSearch {
public:
    // `poll` runs every 4096 tests (it may throw to stop the search).
    PruningSearch(const Puzzle& puzzle, std::function<void()> poll);

    // From now on a block starts from the table's entries that fit its
    // leading digits, instead of from its leading digits alone.
    void useTable(const RightEndTable& table) { table_ = &table; }

    // Which choice goes first where no quotient digit has at most two
    // digits left: the divisor's next digit (each narrows every quotient
    // digit at once), or the quotient digits, all of them, before the
    // divisor (their rows' right ends then check each divisor digit); or
    // the divisor's next digit from the left only, its right end waiting
    // until every quotient digit is known (a digit there reaches only the
    // rows whose multiplier is known).
    enum class Order { DivisorFirst, QuotientFirst, LeftFirst };
    void setOrder(Order order) { order_ = order; }

    // Where the ordered search's quotient phase of one divisor is expected to
    // cost `tests` (in tests): a node whose divisor is complete is handed to
    // it as a whole-divisor candidate when narrowing its open quotient digits
    // once would already cost more. Negative: never.
    void setHandOff(double tests) { handOffTests_ = tests; }

    enum class Outcome {
        Complete,     // every candidate of the block is in `out`, in reference order
        OverBudget,   // gave up after the budget's nodes; `out` is empty
        TooMany,      // gave up at the candidate limit; `out` is empty
    };

    // Sets the block that the calls below work on: the divisors beginning
    // with `block.high` leading digits; with the table, finds its starts.
    void beginBlock(const Partial& block);

    // Contract: with Complete, `out` holds, sorted into the reference order,
    // every assignment of the block that `consistent` accepts with all digits
    // known, or else a whole-divisor candidate for its divisor (a divisor or
    // a candidate may come more than once).
    // Gives up after `budget` tests.
    Outcome searchBlock(uint64_t budget, std::size_t maxCandidates, std::vector<Candidate>& out);

    // The tests (calls of `consistent`, the unit of the search's work and
    // budget) the search of the block would make, estimated from `probes`
    // random paths (whose tests count too).
    double estimateTests(int probes, uint64_t seed);

    uint64_t tests() const { return tests_; }

private:
    // Digits still possible for each open choice, inherited down the tree (a
    // digit refuted at a node stays refuted below it: the test only gets
    // stricter as digits become known).
    struct Domains {
        DigitMask quotient[kMaxQuotientDigits];
        DigitMask high;       // divisor position `high`, the next from the left
        DigitMask low;        // divisor position s-1-low, the next from the right
        DigitMask remainder;  // an open remainder's next digit from the left
        DigitMask letter[kMaskLetters];
    };
    enum class ChoiceKind { High, Low, Quotient, Remainder, Letter };
    struct Step {
        bool leaf = false;
        ChoiceKind kind = ChoiceKind::High;
        int k = -1;             // the quotient position, for a quotient digit
        DigitMask digits = 0;   // the digits left for the choice (none: a dead end)
        Domains next;           // every open choice's digits, narrowed here
    };
    struct Start {
        Partial partial;
        Domains domains;
    };

    static void assign(Partial& partial, ChoiceKind kind, int k, int digit, int s);
    bool remainderOpen(const Partial& partial) const;
    bool sideChoice(const Partial& partial, const Domains& domains, int divisorCount, Step& step) const;
    Step nextStep(const Partial& partial, const Domains& domains) const;
    void child(const Partial& partial, const Step& step, int digit, Partial& out, Domains& domains) const;
    void explore(const Partial& partial, const Domains& domains);
    double probePath(Partial partial, Domains domains, uint64_t& random);
    void startsFromTable(const Partial& block, const Domains& domains, std::vector<Start>& starts);
    void freshDivisorDomains(const Partial& partial, Domains& domains) const;
    bool test(const Partial& partial, int changedQuotient) const;
    DigitMask survivors(const Partial& partial, ChoiceKind kind, int k, DigitMask mask) const;
    void record(const Partial& partial);
    bool handsOff(const Partial& partial, const Domains& domains) const;

    const Puzzle& puzzle_;
    std::function<void()> poll_;
    const RightEndTable* table_ = nullptr;
    std::vector<Start> starts_;  // the block's starting points
    std::vector<Candidate>* out_ = nullptr;
    std::size_t maxCandidates_ = 0;
    mutable uint64_t tests_ = 0;
    Order order_ = Order::DivisorFirst;
    double handOffTests_ = -1;
    // The quotient position whose digits last all failed, or -1.
    mutable int lastFailure_ = -1;
    uint64_t budgetEnd_ = 0;  // tests_ at which the block gives up
    bool gaveUp_ = false;
};

}  // namespace varnokit::fast
