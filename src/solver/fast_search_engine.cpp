// The enumeration of the fast search. It fixes the divisor's leading digits
// in ascending blocks, and inside a block chooses, at every step, the most
// constrained open choice (a quotient digit, the next divisor digit from the
// left or the next one from the right), pruning with the two-ended row test.
// A block may also start from the right-end table's entries.
#include "solver/fast_search_engine.h"

#include <algorithm>
#include <memory>

#include "solver/fast_search_check.h"
#include "solver/fast_search_plan.h"
#include "solver/fast_search_table.h"
#include "solver/fast_search_puzzle.h"

namespace varnokit::fast {

bool referenceOrder(const Candidate& a, const Candidate& b) {
    if (a.divisor != b.divisor) return a.divisor < b.divisor;
    return a.reversed < b.reversed;
}

namespace {

// Digits still possible for each open choice, inherited down the tree (a
// digit refuted at a node stays refuted below it: the test only gets
// stricter as digits become known).
struct Domains {
    DigitMask quotient[kMaxQuotientDigits];
    DigitMask high;  // divisor position `high`, the next from the left
    DigitMask low;   // divisor position s-1-low, the next from the right
};

enum class ChoiceKind { High, Low, Quotient };

// When to choose quotient digits before the divisor's. Known quotient digits
// let the divisor's low digits check every row's tail; divisor digits narrow
// every quotient digit at once. Which pays depends on the puzzle (a 6-digit
// quotient with few combinations wants them first, a 9-digit one with
// millions wants the divisor first), so a block tries both in turn. And a
// block starts either from its leading digits alone or from the entries of
// the right-end table that fit them (when there is a table): the table pays
// where the right ends refute much, and costs where they refute little.
struct Strategy {
    int forcedCount;         // a quotient digit with at most this many candidates goes first
    long fewCombinations;    // all quotient digits go first while their combinations are this few
    bool fromTable;          // start from the right-end table's entries
};
constexpr Strategy kStrategies[] = {
    {1, 3000, true},   // table, then quotient first
    {2, 1, true},      // table, then divisor first
    {1, 3000, false},  // quotient first
    {2, 1, false},     // divisor first
};
constexpr int kStrategyCount = 4;
constexpr uint64_t kFirstBudget = 1000;  // nodes of a block's first attempt; doubled every round
constexpr uint64_t kExploreEvery = 8;    // every so many blocks the other strategies go first
constexpr uint64_t kTestsPerNode = 16;   // pruning tests worth one node

// The right-end table (see fast_search_table.h) is built in installments: a
// small one before the first block, then, whenever the blocks have cost a
// quarter more, one in proportion to the work the remaining blocks are
// likely to need. A table node (a digit tried) costs a small fraction of a
// block node.
constexpr std::size_t kMaxTable = 1 << 18;     // table entries at most
constexpr uint64_t kFirstTableBudget = 100000;  // table nodes of the first installment
constexpr uint64_t kTableNodesPerNode = 64;      // table nodes (digits tried) worth one block node
constexpr uint64_t kTableRetry = 1000;          // block nodes before the table first grows again

int lowestDigit(DigitMask mask) { return mask == 0 ? -1 : __builtin_ctz(mask); }
int digitCount(DigitMask mask) { return __builtin_popcount(mask); }

void assign(Partial& partial, ChoiceKind kind, int k, int digit, int s) {
    switch (kind) {
        case ChoiceKind::High:
            partial.divisor[partial.high++] = static_cast<int8_t>(digit);
            break;
        case ChoiceKind::Low:
            partial.divisor[s - 1 - partial.low++] = static_cast<int8_t>(digit);
            break;
        case ChoiceKind::Quotient:
            partial.quotient[k] = static_cast<int8_t>(digit);
            break;
    }
}

class Enumeration {
public:
    Enumeration(const Puzzle& puzzle, CandidateSink& sink, std::size_t heldCandidates)
        : puzzle_(puzzle), sink_(sink), heldCandidates_(heldCandidates < 1 ? 1 : heldCandidates) {
        found_.reserve(64);
    }
    EnumerationStats run();

private:
    void explore(const Partial& partial, const Domains& domains);
    bool extendTable(uint64_t nodes);
    bool growTable();
    struct Start {
        Partial partial;
        Domains domains;
    };
    void startsFromTable(const Start& block, std::vector<Start>& starts);
    void addStart(const Start& block, const Partial& entry, const Domains& narrowed, std::vector<Start>& starts);
    void freshDivisorDomains(const Partial& partial, Domains& domains) const;
    DigitMask survivors(const Partial& partial, ChoiceKind kind, int k, DigitMask mask) const;
    void record(const Partial& partial);
    bool searchBlock(const Start& block, bool topLevel);
    void searchRange(const Start& block, bool topLevel);
    void endBlock();
    void tick();

    const Puzzle& puzzle_;
    CandidateSink& sink_;
    std::size_t heldCandidates_;
    std::vector<Candidate> found_;
    EnumerationStats stats_;
    uint64_t sinceTick_ = 0;
    uint64_t ticks_ = 0;
    uint64_t blockNodes_ = 0;  // nodes of explore (the table's are counted apart)
    Strategy strategy_ = kStrategies[0];
    uint64_t budget_ = 0;     // nodes left in the current attempt
    bool exhausted_ = false;  // the attempt ran out of nodes
    // The right-end table: every assignment of the right-end plan's choices
    // that its cells allow. Built once, it serves every block in place of
    // the choices it names.
    std::unique_ptr<RightEndTable> tableBuilder_;  // while the table is being built
    IndexedTable table_;
    std::vector<Start> tableStarts_;  // the current block's starts from the table
    bool tableStartsReady_ = false;   // (found when first needed)
    uint64_t tableStartsCost_ = 0;    // entries tested to find them
    uint64_t blocksSearched_ = 0;
    long blockIndex_ = 0;             // blocks finished
    long blockCount_ = 0;
    uint64_t nextTableTry_ = kTableRetry;  // block nodes before the table grows again
    bool tableJustReady_ = false;     // finished during the current attempt
    bool overflow_ = false;           // the attempt found more candidates than may be held
    bool tableReady_ = false;
    int lastWinner_ = 0;      // the strategy that finished the last block
    uint64_t lastCost_ = 0;   // and the nodes it took
};

DigitMask Enumeration::survivors(const Partial& partial, ChoiceKind kind, int k, DigitMask mask) const {
    DigitMask alive = 0;
    for (int d = 0; d < 10; ++d) {
        if (!(mask & (1u << d))) continue;
        Partial child = partial;
        assign(child, kind, k, d, puzzle_.s);
        const int changed = kind == ChoiceKind::Quotient ? k : -1;
        if (consistent(puzzle_, child, changed)) alive = static_cast<DigitMask>(alive | (1u << d));
    }
    return alive;
}

// Contract: `partial` is consistent and `domains` hold, for every open
// choice, a superset of the digits that can still lead to a solution.
void Enumeration::explore(const Partial& partial, const Domains& domains) {
    if (budget_ == 0) {
        exhausted_ = true;
        return;
    }
    --budget_;
    ++stats_.nodes;
    ++blockNodes_;
    tick();
    const int s = puzzle_.s;

    Domains next = domains;
    ChoiceKind bestKind = ChoiceKind::High;
    int bestK = -1;
    int bestCount = 11;
    bool anyOpen = false;

    // The open quotient digits: a forced one is taken at once; while their
    // combinations are few, they are chosen before the divisor, since known
    // quotient digits let the divisor's low digits check every row's tail.
    long combinations = 1;
    for (int k = 0; k < puzzle_.q && bestCount > 1; ++k) {
        if (partial.quotient[k] >= 0) continue;
        anyOpen = true;
        next.quotient[k] = survivors(partial, ChoiceKind::Quotient, k, domains.quotient[k]);
        const int count = digitCount(next.quotient[k]);
        if (count == 0) return;
        if (combinations < 1000000) combinations *= count;
        if (count < bestCount) {
            bestCount = count;
            bestKind = ChoiceKind::Quotient;
            bestK = k;
        }
    }
    // Otherwise the divisor grows first: each of its digits narrows every
    // quotient digit at once.
    const bool quotientFirst =
        anyOpen && (bestCount <= strategy_.forcedCount || combinations <= strategy_.fewCombinations);
    if (partial.high + partial.low < s && !quotientFirst) {
        anyOpen = true;
        next.high = survivors(partial, ChoiceKind::High, 0, domains.high);
        const int highCount = digitCount(next.high);
        if (highCount == 0) return;
        int lowCount = 11;
        // A forced left digit is taken without looking at the right end.
        if (highCount > 1 && partial.high + partial.low + 1 < s) {
            next.low = survivors(partial, ChoiceKind::Low, 0, domains.low);
            lowCount = digitCount(next.low);
            if (lowCount == 0) return;
        }
        // On a tie between the two ends, grow the left one: its bounds reach
        // into every row at once.
        const bool preferLow = lowCount < highCount;
        bestKind = preferLow ? ChoiceKind::Low : ChoiceKind::High;
        bestCount = preferLow ? lowCount : highCount;
    }

    if (!anyOpen) {
        // The last choice may have been checked only in the rows it entered.
        if (consistent(puzzle_, partial)) record(partial);
        return;
    }

    const DigitMask choices = bestKind == ChoiceKind::Quotient ? next.quotient[bestK]
                              : bestKind == ChoiceKind::High  ? next.high
                                                              : next.low;
    for (int d = 0; d < 10; ++d) {
        if (!(choices & (1u << d))) continue;
        Partial child = partial;
        assign(child, bestKind, bestK, d, s);
        Domains childDomains = next;
        if (child.high + child.low < s && bestKind != ChoiceKind::Quotient) {
            // The end that moved starts afresh at its new position; when one
            // open position is left, both ends name it.
            if (bestKind == ChoiceKind::High) childDomains.high = puzzle_.divisorAllowed[child.high];
            if (bestKind == ChoiceKind::Low) childDomains.low = puzzle_.divisorAllowed[s - 1 - child.low];
            if (child.high + child.low == s - 1) {
                const DigitMask both = static_cast<DigitMask>(childDomains.high & childDomains.low);
                childDomains.high = childDomains.low = both;
            }
        }
        explore(child, childDomains);
        if (exhausted_) return;
    }
}

class SinkPoll : public TablePoll {
public:
    explicit SinkPoll(CandidateSink& sink) : sink_(sink) {}
    void poll() override { sink_.poll(); }

private:
    CandidateSink& sink_;
};

// Goes on building the table for `nodes` more table nodes; true once it is
// complete (and indexed).
bool Enumeration::extendTable(uint64_t nodes) {
    if (!tableBuilder_) return false;
    SinkPoll poll(sink_);
    const uint64_t before = tableBuilder_->nodes();
    const RightEndTable::Status status = tableBuilder_->extend(nodes, poll);
    stats_.nodes += tableBuilder_->nodes() - before;
    if (status == RightEndTable::Status::TooLarge) tableBuilder_.reset();
    if (status != RightEndTable::Status::Complete) return false;
    table_ = IndexedTable(std::move(tableBuilder_->entries()), tableBuilder_->plan(), puzzle_.q);
    stats_.tableEntries = table_.size();
    tableBuilder_.reset();
    return true;
}

// The starting points of one block from the table: the block's leading
// digits narrow the quotient digits, and every entry that fits them and
// passes the test becomes a start.
void Enumeration::startsFromTable(const Start& block, std::vector<Start>& starts) {
    Domains narrowed = block.domains;
    for (int k = 0; k < puzzle_.q; ++k) {
        narrowed.quotient[k] = survivors(block.partial, ChoiceKind::Quotient, k, block.domains.quotient[k]);
        if (narrowed.quotient[k] == 0) return;
    }
    table_.forEachFitting(narrowed.quotient, [&](const Partial& entry) { addStart(block, entry, narrowed, starts); });
}

// The divisor digits open at `partial`'s two ends start afresh from their
// cells; when one position is left, both ends name it.
void Enumeration::freshDivisorDomains(const Partial& partial, Domains& domains) const {
    const int s = puzzle_.s;
    const int open = s - partial.high - partial.low;
    if (open <= 0) return;
    domains.high = puzzle_.divisorAllowed[partial.high];
    domains.low = puzzle_.divisorAllowed[s - 1 - partial.low];
    if (open == 1) domains.high = domains.low = static_cast<DigitMask>(domains.high & domains.low);
}

// One table entry as a start of `block`, if its quotient digits fit the
// narrowed ones and it passes the test with the block's leading digits.
void Enumeration::addStart(const Start& block, const Partial& entry, const Domains& narrowed,
                           std::vector<Start>& starts) {
    for (int k = 0; k < puzzle_.q; ++k) {
        if (entry.quotient[k] >= 0 && !(narrowed.quotient[k] & (1u << entry.quotient[k]))) return;
    }
    Start start{entry, narrowed};
    start.partial.high = block.partial.high;
    for (int p = 0; p < block.partial.high; ++p) start.partial.divisor[p] = block.partial.divisor[p];
    ++tableStartsCost_;
    if (!consistent(puzzle_, start.partial)) return;
    freshDivisorDomains(start.partial, start.domains);
    starts.push_back(start);
}

void Enumeration::record(const Partial& partial) {
    Candidate c{0, 0, 0};
    for (int p = 0; p < puzzle_.s; ++p) c.divisor = c.divisor * 10 + partial.divisor[p];
    for (int k = 0; k < puzzle_.q; ++k) c.quotient = c.quotient * 10 + partial.quotient[k];
    for (int k = puzzle_.q - 1; k >= 0; --k) c.reversed = c.reversed * 10 + partial.quotient[k];
    found_.push_back(c);
    if (found_.size() >= heldCandidates_) {
        overflow_ = true;
        budget_ = 0;  // ends the attempt at the next node
    }
}

// Tries the strategies in turn on one block, each with a node budget that
// doubles every round, until one finishes: never much more work than the
// better strategy alone. Neighbouring blocks tend to favour the same
// strategy, so the last winner goes first. An attempt that runs out of nodes
// leaves no candidates; one that finds more than may be held ends the
// search of the block (false). The table serves top-level blocks only: its
// entries were planned for their leading digits.
bool Enumeration::searchBlock(const Start& block, bool topLevel) {
    const std::size_t before = found_.size();
    tableStarts_.clear();
    tableStartsReady_ = false;
    tableStartsCost_ = 0;
    // Now and then the other strategies go first, with half the last cost:
    // a strategy that became cheaper is found that way.
    bool exploring = ++blocksSearched_ % kExploreEvery == 0 && lastCost_ > 0;
    uint64_t budget = exploring ? std::max<uint64_t>(lastCost_ / 2, 1) : std::max(kFirstBudget, lastCost_ * 4);
    for (;;) {
        for (int i = exploring ? 1 : 0; i < kStrategyCount; ++i) {
            const int index = (lastWinner_ + i) % kStrategyCount;
            strategy_ = kStrategies[index];
            if (strategy_.fromTable && (!tableReady_ || !topLevel)) continue;
            if (strategy_.fromTable && !tableStartsReady_) {
                startsFromTable(block, tableStarts_);
                tableStartsReady_ = true;
            }
            budget_ = budget;
            exhausted_ = false;
            if (strategy_.fromTable) {
                // Finding the starts counts too: a test is a small part of a node.
                const uint64_t startsCost = tableStartsCost_ / kTestsPerNode;
                budget_ = budget_ > startsCost ? budget_ - startsCost : 0;
                for (const Start& start : tableStarts_) {
                    explore(start.partial, start.domains);
                    if (exhausted_) break;
                }
            } else {
                explore(block.partial, block.domains);
            }
            if (overflow_) {
                found_.resize(before);
                return false;
            }
            if (!exhausted_) {
                lastWinner_ = index;
                lastCost_ = budget - budget_;
                return true;
            }
            found_.resize(before);
            ++stats_.restarts;
            if (tableJustReady_) {
                // The table was finished during this attempt: it goes first now.
                tableJustReady_ = false;
                lastWinner_ = 0;
                i = -1;
            }
        }
        if (exploring) {
            exploring = false;
            budget = std::max(kFirstBudget, lastCost_ * 4);
            continue;
        }
        budget *= 2;
    }
}

// Searches `block` and hands over its candidates in order. A range with more
// candidates than may be held at once is searched again in parts, in order:
// by the divisor's next digit from the left, and once the divisor is known,
// by the quotient from its last digit, which varies slowest in that order.
void Enumeration::searchRange(const Start& block, bool topLevel) {
    overflow_ = false;
    if (searchBlock(block, topLevel)) {
        endBlock();
        return;
    }
    overflow_ = false;
    found_.clear();
    const int s = puzzle_.s;
    const Partial& partial = block.partial;
    if (partial.high + partial.low < s) {
        const int p = partial.high;
        for (int d = 0; d < 10; ++d) {
            if (!(block.domains.high & (1u << d))) continue;
            Start part = block;
            part.partial.divisor[p] = static_cast<int8_t>(d);
            ++part.partial.high;
            freshDivisorDomains(part.partial, part.domains);
            if (consistent(puzzle_, part.partial)) searchRange(part, false);
        }
        return;
    }
    int k = puzzle_.q - 1;
    while (k >= 0 && partial.quotient[k] >= 0) --k;
    for (int d = 0; k >= 0 && d < 10; ++d) {
        if (!(block.domains.quotient[k] & (1u << d))) continue;
        Start part = block;
        part.partial.quotient[k] = static_cast<int8_t>(d);
        part.domains.quotient[k] = static_cast<DigitMask>(1u << d);
        if (consistent(puzzle_, part.partial)) searchRange(part, false);
    }
}

void Enumeration::endBlock() {
    std::sort(found_.begin(), found_.end(), referenceOrder);
    sink_.block(found_);
    found_.clear();
}

void Enumeration::tick() {
    constexpr uint64_t kNodesPerTick = 512;
    constexpr uint64_t kTicksPerPoll = 8;
    if (++sinceTick_ < kNodesPerTick) return;
    sinceTick_ = 0;
    if (++ticks_ % kTicksPerPoll == 0) sink_.poll();
    if (growTable()) {
        tableJustReady_ = true;
        budget_ = 0;  // end this attempt: the block starts again with the table
    }
}

// Grows the table once the blocks have cost enough since the last time; the
// table may cost as much as the remaining blocks are likely to, so it cannot
// make the search much slower than without it. True when it became ready.
bool Enumeration::growTable() {
    if (!tableBuilder_ || blockNodes_ < nextTableTry_) return false;
    nextTableTry_ = blockNodes_ + blockNodes_ / 4;
    const uint64_t done = static_cast<uint64_t>(blockIndex_) + 1;  // counting the current block
    const uint64_t left = static_cast<uint64_t>(blockCount_) > done ? static_cast<uint64_t>(blockCount_) - done : 0;
    const uint64_t ahead = blockNodes_ / done * (left + 1);
    if (!extendTable(std::max(tableBuilder_->nodes(), ahead * kTableNodesPerNode))) return false;
    tableReady_ = true;
    lastWinner_ = 0;  // the table gets its chance first
    return true;
}

EnumerationStats Enumeration::run() {
    const int s = puzzle_.s;
    // Blocks: the divisor's first digits, enough of them for about a hundred
    // blocks where the cells allow it.
    int blockDigits = 0;
    long blockCount = 1;
    while (blockDigits < s && blockDigits < 3 && blockCount < 50) {
        blockCount *= digitCount(puzzle_.divisorAllowed[blockDigits]);
        ++blockDigits;
    }

    Domains domains{};
    for (int k = 0; k < puzzle_.q; ++k) domains.quotient[k] = puzzle_.quotientAllowed[k];

    int8_t prefix[3] = {0, 0, 0};
    for (int i = 0; i < blockDigits; ++i) prefix[i] = static_cast<int8_t>(lowestDigit(puzzle_.divisorAllowed[i]));
    long blockIndex = 0;
    int progressShown = 0;
    blockCount_ = blockCount;

    std::vector<PlanStep> plan = planFromRight(puzzle_, blockDigits);
    if (puzzle_.useTable && !plan.empty() && blockCount > 1) {
        tableBuilder_ = std::make_unique<RightEndTable>(puzzle_, std::move(plan), kMaxTable);
        tableReady_ = extendTable(kFirstTableBudget);
    }

    bool more = blockCount > 0;
    while (more) {
        Partial partial = emptyPartial();
        for (int i = 0; i < blockDigits; ++i) partial.divisor[i] = prefix[i];
        partial.high = blockDigits;
        ++stats_.blocks;
        if (consistent(puzzle_, partial)) {
            domains.high = blockDigits < s ? puzzle_.divisorAllowed[blockDigits] : 0;
            domains.low = blockDigits < s ? puzzle_.divisorAllowed[s - 1] : 0;
            if (blockDigits == s - 1) domains.low = domains.high;
            searchRange(Start{partial, domains}, true);
        } else {
            endBlock();
        }

        ++blockIndex;
        blockIndex_ = blockIndex;
        if (blockIndex < blockCount) growTable();
        const int progress = static_cast<int>(blockIndex * 100 / blockCount);
        while (progressShown < progress) {
            ++progressShown;
            sink_.progress();
        }

        // The next prefix in ascending order: an odometer over the allowed digits.
        int i = blockDigits - 1;
        for (; i >= 0; --i) {
            const DigitMask mask = puzzle_.divisorAllowed[i];
            const DigitMask above = static_cast<DigitMask>(mask & ~((2u << prefix[i]) - 1));
            if (above != 0) {
                prefix[i] = static_cast<int8_t>(lowestDigit(above));
                break;
            }
            prefix[i] = static_cast<int8_t>(lowestDigit(mask));
        }
        more = i >= 0;
    }
    return stats_;
}

}  // namespace

EnumerationStats enumerateCandidates(const Puzzle& puzzle, CandidateSink& sink, std::size_t heldCandidates) {
    Enumeration enumeration(puzzle, sink, heldCandidates);
    return enumeration.run();
}

}  // namespace varnokit::fast
