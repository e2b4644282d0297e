// The fast engine: the divisors are taken in blocks (their leading digits,
// ascending), and each block is searched in the way that its estimated cost
// favours — the ordered search, which stores solutions as it finds them in
// the reference order, or the pruning search, whose candidates are sorted
// and then walked through the ordered search's path one by one. Either
// way the solution list, its order and the count shown are the reference
// search's.
#include <algorithm>
#include <vector>

#include "solver/fast_search_check.h"
#include "solver/fast_search_plan.h"
#include "solver/fast_search_puzzle.h"
#include "solver/fast_search_table.h"
#include "solver/ordered_search.h"
#include "solver/pruning_search.h"
#include "solver/search.h"

namespace varnokit {
namespace {

using fast::Candidate;
using fast::DigitMask;
using fast::OrderedSearch;
using fast::Partial;
using fast::PruningSearch;

int digitCount(DigitMask mask) { return __builtin_popcount(mask); }
int lowestDigit(DigitMask mask) { return mask == 0 ? -1 : __builtin_ctz(mask); }

// --- Costs, measured on this engine (see docs/engine.md) ---
// A two-ended row test of the pruning search (a call of `consistent`) costs
// about as much as this many steps of the ordered search.
constexpr double kTestCost = 7;
// Probes of the ordered search per block, and the steps one may take;
// random paths of the pruning search per block.
constexpr int kProbes = 8;
constexpr uint64_t kProbeSteps = 512;
constexpr int kPruningProbes = 4;
// A block whose ordered search is estimated at fewer steps than this is not
// worth planning: the pruning search could not save more than it costs.
constexpr double kSmallBlock = 20000;
// The right-end table: entries at most; the share of the search without it
// that it may cost, and the bounds of its node budget; a node of it costs
// about half an ordered step; blocks drawn to price the search without it.
constexpr std::size_t kMaxTableEntries = std::size_t{1} << 18;
constexpr double kTableShare = 1;
constexpr double kTableNodeCost = 0.5;
constexpr double kTableNodesMin = 1e5;
constexpr double kTableNodesMax = 3e7;
constexpr int kTablePricingBlocks = 8;
// Candidates the pruning search may hold for one block.
constexpr std::size_t kMaxCandidates = std::size_t{1} << 16;

// What the probes of a block (or of the whole puzzle) found.
struct Estimate {
    double steps = 0;               // the ordered search's steps, all divisors of the block
    double stepsPerDivisor = 0;     // of one divisor's quotient phase, on average
    double solutions = 0;
    bool empty = false;             // no divisor could be drawn
};

class Scheduler {
public:
    Scheduler(SearchContext& context, const fast::Puzzle& puzzle)
        : context_(context),
          puzzle_(puzzle),
          ordered_(fast::makeOrderedSearch(context)),
          pruning_(puzzle, [&context] { pollInput(context); }) {}
    // The work done, also when the search was stopped: steps, tests and table nodes.
    ~Scheduler() { context_.stats.nodes += ordered_->steps() + pruning_.tests() + table_.nodes(); }

    void run();

private:
    struct Block {
        Partial partial;  // the leading digits
        bool live;        // the two-ended test leaves it something
    };
    Estimate estimate(const int8_t* prefix, int length, uint64_t seed);
    bool orderedIsCheaper(const Estimate& e) const;
    double pruningWithoutTable(const std::vector<Block>& blocks, long live);
    void buildTable(int blockLength, const std::vector<Block>& blocks, long live);
    double cheaperPruningOrder(uint64_t seed);
    void searchBlock(const Partial& block, long index);

    SearchContext& context_;
    const fast::Puzzle& puzzle_;
    std::unique_ptr<OrderedSearch> ordered_;
    PruningSearch pruning_;
    std::vector<Candidate> candidates_;
    fast::RightEndTable table_;
    int endingStart_ = kMaxDivisorDigits + 1;  // where the table's endings begin, if used
    std::size_t endingCount_ = 0;
    static constexpr int kOrderCount = 3;
    struct OrderRecord {
        double estimates = 0;  // its estimates, summed over the blocks priced
        double estimated = 0;  // its estimates of the blocks it searched
        double spent = 0;      // the tests those searches made
        double correction() const { return (spent + 1) / (estimated + 1); }  // 1 until it has searched
        double corrected() const { return estimates * correction(); }
    };
    OrderRecord orders_[kOrderCount];
    int chosenOrder_ = 0;
    double chosenEstimate_ = 0;
};

// Probes draw divisors of the block and run their whole quotient phase. The
// ordered search costs about (divisors of the block) × (mean steps of a
// probe), and finds about (divisors) × (mean solutions of a probe).
Estimate Scheduler::estimate(const int8_t* prefix, int length, uint64_t seed) {
    double divisors = 1;
    for (int p = length; p < puzzle_.s; ++p) {
        divisors *= p == endingStart_ ? static_cast<double>(endingCount_) : digitCount(puzzle_.divisorAllowed[p]);
        if (p == endingStart_) break;
    }
    double steps = 0, solutions = 0;
    int drawn = 0;
    const int probes = divisors < kProbes ? static_cast<int>(divisors) : kProbes;
    for (int i = 0; i < probes; ++i) {
        const OrderedSearch::Probe probe =
            ordered_->probe(prefix, length, 0x9E3779B97F4A7C15ULL * (seed * kProbes + static_cast<uint64_t>(i) + 1),
                            kProbeSteps);
        if (!probe.drawn) continue;
        ++drawn;
        steps += static_cast<double>(probe.nodes) + 1;  // the divisor's own steps, shared by ten
        solutions += static_cast<double>(probe.solutions);
    }
    Estimate e;
    if (drawn == 0) {
        e.empty = true;
        return e;
    }
    e.stepsPerDivisor = steps / drawn;
    e.steps = divisors * e.stepsPerDivisor;
    e.solutions = divisors * solutions / drawn;
    return e;
}

// A small block is not worth planning; where solutions are dense, nothing
// beats the ordered search, which only lists them (each costs the pruning
// search at least a test per digit).
bool Scheduler::orderedIsCheaper(const Estimate& e) const {
    if (e.steps <= kSmallBlock) return true;
    return e.steps <= e.solutions * (puzzle_.s + puzzle_.q) * kTestCost;
}

// The pruning search of the whole puzzle without the table, in ordered
// steps: random paths in live blocks spread over the range.
double Scheduler::pruningWithoutTable(const std::vector<Block>& blocks, long live) {
    double tests = 0;
    long seen = 0;
    int priced = 0;
    const long every = std::max(1L, live / kTablePricingBlocks);
    for (const Block& block : blocks) {
        if (!block.live || seen++ % every != 0) continue;
        pruning_.beginBlock(block.partial);
        tests += pruning_.estimateTests(kPruningProbes, static_cast<uint64_t>(seen));
        ++priced;
    }
    return tests / priced * static_cast<double>(live) * kTestCost;
}

// The right-end table may cost up to a share of what the search would cost
// without it — the cheaper of the two searches, each priced for the whole
// puzzle (within fixed bounds); random paths price the table first, and
// one that grows past its budget is dropped.
void Scheduler::buildTable(int blockLength, const std::vector<Block>& blocks, long live) {
    // The table fixes the rows' right ends from a known remainder.
    if (puzzle_.openRemainder) return;
    const std::vector<fast::PlanStep> plan = fast::planFromRight(puzzle_, blockLength);
    if (plan.empty()) return;
    // Random paths tend to underestimate the pruning search (its trees are
    // lopsided), the probes of the ordered search hardly: only the first gets
    // the floor.
    const double liveShare = static_cast<double>(live) / static_cast<double>(blocks.size());
    const double ordered = estimate(nullptr, 0, 0).steps * liveShare * kTableShare / kTableNodeCost;
    const double pruning = pruningWithoutTable(blocks, live) * kTableShare / kTableNodeCost;
    const double cap = std::min({ordered, std::max(pruning, kTableNodesMin), kTableNodesMax});
    const fast::RightEndTable::Status status =
        table_.build(puzzle_, plan, kMaxTableEntries, static_cast<uint64_t>(cap), [this] { pollInput(context_); });
    if (status != fast::RightEndTable::Status::Complete) return;
    ordered_->useEndings(table_);
    pruning_.useTable(table_);
    endingStart_ = puzzle_.s - table_.endingLength();
    endingCount_ = table_.endings().size();
}

// Prices the block's pruning search in each order and keeps the order whose
// estimates, summed over the blocks priced so far and corrected by what its
// searches have cost against their estimates, are the least: random paths
// vary widely from block to block (their sum much less), and each order's
// paths miss its costly branches by a factor of its own, which the blocks
// it searched measure. Returns the block's corrected estimate in that order.
double Scheduler::cheaperPruningOrder(uint64_t seed) {
    using Order = PruningSearch::Order;
    constexpr Order kOrders[kOrderCount] = {Order::DivisorFirst, Order::QuotientFirst, Order::LeftFirst};
    double tests[kOrderCount];
    for (int i = 0; i < kOrderCount; ++i) {
        pruning_.setOrder(kOrders[i]);
        tests[i] = pruning_.estimateTests(kPruningProbes, seed);
        orders_[i].estimates += tests[i];
    }
    int chosen = 0;
    for (int i = 1; i < kOrderCount; ++i) {
        if (orders_[i].corrected() < orders_[chosen].corrected()) chosen = i;
    }
    pruning_.setOrder(kOrders[chosen]);
    chosenOrder_ = chosen;
    chosenEstimate_ = tests[chosen];
    return tests[chosen] * orders_[chosen].correction();
}

void Scheduler::searchBlock(const Partial& block, long index) {
    const int8_t* prefix = block.divisor;
    const int length = block.high;
    const Estimate e = estimate(prefix, length, static_cast<uint64_t>(index) + 1);
    if (e.empty) return;
    if (orderedIsCheaper(e)) {
        ordered_->searchBlock(prefix, length);
        return;
    }
    pruning_.beginBlock(block);
    pruning_.setHandOff(e.stepsPerDivisor / kTestCost);
    if (cheaperPruningOrder(static_cast<uint64_t>(index) + 1) * kTestCost >= e.steps) {
        ordered_->searchBlock(prefix, length);
        return;
    }
    // The pruning search may spend what the ordered search is expected to;
    // past that, the estimate was wrong and the ordered search takes over.
    const auto budget = static_cast<uint64_t>(e.steps / kTestCost) + 1;
    const uint64_t testsBefore = pruning_.tests();
    const PruningSearch::Outcome outcome = pruning_.searchBlock(budget, kMaxCandidates, candidates_);
    orders_[chosenOrder_].estimated += chosenEstimate_;
    orders_[chosenOrder_].spent += static_cast<double>(pruning_.tests() - testsBefore);
    if (outcome != PruningSearch::Outcome::Complete) {
        ordered_->searchBlock(prefix, length);
        return;
    }
    // A whole divisor stands for all of its candidates; a candidate found
    // more than once (with different leading digits of an open remainder) is
    // walked once.
    Int128 whole = -1;
    const Candidate* previous = nullptr;
    for (const Candidate& c : candidates_) {
        if (c.divisor == whole) continue;
        if (c.wholeDivisor) {
            whole = c.divisor;
            ordered_->searchDivisor(c.divisor);
        } else if (previous == nullptr || c.divisor != previous->divisor || c.quotient != previous->quotient) {
            ordered_->searchOne(c.divisor, c.quotient);
        }
        previous = &c;
    }
}

void Scheduler::run() {
    const int s = puzzle_.s;
    // Blocks: the divisor's first digits, enough of them for about a hundred
    // blocks where the cells allow it (the progress bar steps per block).
    int length = 0;
    long blockCount = 1;
    while (length < s && length < 3 && blockCount < 50) {
        blockCount *= digitCount(puzzle_.divisorAllowed[length]);
        ++length;
    }
    // Every block in ascending order (an odometer over the allowed digits),
    // and whether the test leaves it anything.
    std::vector<Block> blocks;
    int8_t prefix[3] = {0, 0, 0};
    for (int i = 0; i < length; ++i) prefix[i] = static_cast<int8_t>(lowestDigit(puzzle_.divisorAllowed[i]));
    for (long index = 0; index < blockCount; ++index) {
        Block block{fast::emptyPartial(), false};
        for (int p = 0; p < length; ++p) block.partial.divisor[p] = prefix[p];
        block.partial.high = length;
        block.live = fast::consistent(puzzle_, block.partial);
        blocks.push_back(block);
        for (int i = length - 1; i >= 0; --i) {
            const DigitMask mask = puzzle_.divisorAllowed[i];
            const auto above = static_cast<DigitMask>(mask & ~((2u << prefix[i]) - 1));
            if (above != 0) {
                prefix[i] = static_cast<int8_t>(lowestDigit(above));
                break;
            }
            prefix[i] = static_cast<int8_t>(lowestDigit(mask));
        }
    }
    const auto live = std::count_if(blocks.begin(), blocks.end(), [](const Block& b) { return b.live; });
    if (live == 0) return;  // no divisor can begin as the blocks do (or a cell no digit fills)
    buildTable(length, blocks, live);

    int progressShown = 0;
    for (long index = 0; index < blockCount; ++index) {
        const Block& block = blocks[static_cast<std::size_t>(index)];
        if (block.live) searchBlock(block.partial, index);
        const int progress = static_cast<int>((index + 1) * 100 / blockCount);
        while (progressShown < progress) {
            ++progressShown;
            progressCheck(context_);
        }
    }
}

}  // namespace

void searchFast(SearchContext& context) {
    fast::Puzzle puzzle;
    fast::buildPuzzle(context.state, puzzle);
    Scheduler(context, puzzle).run();
}

}  // namespace varnokit
