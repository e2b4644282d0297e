// The pruning search of one block: the most constrained open choice first.
#include "solver/pruning_search.h"

#include <algorithm>

#include "solver/fast_search_table.h"

namespace varnokit::fast {

bool referenceOrder(const Candidate& a, const Candidate& b) {
    if (a.divisor != b.divisor) return a.divisor < b.divisor;
    return a.reversed < b.reversed;
}

namespace {

int digitCount(DigitMask mask) { return __builtin_popcount(mask); }

// Few combinations of the open quotient digits (see explore).
constexpr long kFewCombinations = 3000;

}  // namespace

// Digits still possible for each open choice, inherited down the tree (a
// digit refuted at a node stays refuted below it: the test only gets
// stricter as digits become known).
struct PruningSearch::Domains {
    DigitMask quotient[kMaxQuotientDigits];
    DigitMask high;  // divisor position `high`, the next from the left
    DigitMask low;   // divisor position s-1-low, the next from the right
};

PruningSearch::PruningSearch(const Puzzle& puzzle, std::function<void()> poll)
    : puzzle_(puzzle), poll_(std::move(poll)) {}

void PruningSearch::assign(Partial& partial, ChoiceKind kind, int k, int digit, int s) {
    switch (kind) {
        case ChoiceKind::High: partial.divisor[partial.high++] = static_cast<int8_t>(digit); break;
        case ChoiceKind::Low: partial.divisor[s - 1 - partial.low++] = static_cast<int8_t>(digit); break;
        case ChoiceKind::Quotient: partial.quotient[k] = static_cast<int8_t>(digit); break;
    }
}

DigitMask PruningSearch::survivors(const Partial& partial, ChoiceKind kind, int k, DigitMask mask) const {
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

PruningSearch::Outcome PruningSearch::searchBlock(const Partial& block, uint64_t budget, std::size_t maxCandidates,
                                                  std::vector<Candidate>& out) {
    out.clear();
    out_ = &out;
    maxCandidates_ = maxCandidates;
    budgetEnd_ = budget > UINT64_MAX - nodes_ ? UINT64_MAX : nodes_ + budget;
    gaveUp_ = false;

    Domains domains{};
    for (int k = 0; k < puzzle_.q; ++k) domains.quotient[k] = puzzle_.quotientAllowed[k];
    freshDivisorDomains(block, domains);
    if (table_ != nullptr) {
        exploreFromTable(block, domains);
    } else {
        explore(block, domains);
    }

    const bool tooMany = out.size() >= maxCandidates_;
    if (gaveUp_ || tooMany) {
        out.clear();
        return tooMany ? Outcome::TooMany : Outcome::OverBudget;
    }
    std::sort(out.begin(), out.end(), referenceOrder);
    return Outcome::Complete;
}

// Contract: `partial` is consistent and `domains` hold, for every open
// choice, a superset of the digits that can still lead to a solution.
void PruningSearch::explore(const Partial& partial, const Domains& domains) {
    if (nodes_ >= budgetEnd_) {
        gaveUp_ = true;
        return;
    }
    if ((++nodes_ & 0x3FF) == 0) poll_();
    const int s = puzzle_.s;

    Domains next = domains;
    ChoiceKind bestKind = ChoiceKind::High;
    int bestK = -1;
    int bestCount = 11;
    bool anyOpen = false;

    // The open quotient digits: one with at most two digits left is taken
    // before the divisor.
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
    // Without the table the quotient digits go first while their
    // combinations are few: known quotient digits let the divisor's trailing
    // digits fix every row's tail. The table has done that work already.
    const bool quotientFirst =
        anyOpen && (bestCount <= 2 || (table_ == nullptr && combinations <= kFewCombinations));
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
        if (gaveUp_) return;
    }
}

// The divisor digits open at `partial`'s two ends start afresh from their
// cells; when one position is left, both ends name it.
void PruningSearch::freshDivisorDomains(const Partial& partial, Domains& domains) const {
    const int s = puzzle_.s;
    const int open = s - partial.high - partial.low;
    if (open <= 0) return;
    domains.high = puzzle_.divisorAllowed[partial.high];
    domains.low = puzzle_.divisorAllowed[s - 1 - partial.low];
    if (open == 1) domains.high = domains.low = static_cast<DigitMask>(domains.high & domains.low);
}

// The block's leading digits narrow the quotient digits; every table entry
// that fits them and passes the test with those digits is a start.
void PruningSearch::exploreFromTable(const Partial& block, const Domains& domains) {
    Domains narrowed = domains;
    for (int k = 0; k < puzzle_.q; ++k) {
        narrowed.quotient[k] = survivors(block, ChoiceKind::Quotient, k, domains.quotient[k]);
        if (narrowed.quotient[k] == 0) return;
    }
    table_->forEachFitting(narrowed.quotient, [&](const Partial& entry) {
        if (gaveUp_) return;
        for (int k = 0; k < puzzle_.q; ++k) {
            if (entry.quotient[k] >= 0 && !(narrowed.quotient[k] & (1u << entry.quotient[k]))) return;
        }
        Partial start = entry;
        start.high = block.high;
        for (int p = 0; p < block.high; ++p) start.divisor[p] = block.divisor[p];
        // A test is a small part of a node.
        if ((++tests_ & 0xF) == 0) ++nodes_;
        if (!consistent(puzzle_, start)) return;
        Domains startDomains = narrowed;
        freshDivisorDomains(start, startDomains);
        explore(start, startDomains);
    });
}

void PruningSearch::record(const Partial& partial) {
    Candidate c{0, 0, 0};
    for (int p = 0; p < puzzle_.s; ++p) c.divisor = c.divisor * 10 + partial.divisor[p];
    for (int k = 0; k < puzzle_.q; ++k) c.quotient = c.quotient * 10 + partial.quotient[k];
    for (int k = puzzle_.q - 1; k >= 0; --k) c.reversed = c.reversed * 10 + partial.quotient[k];
    out_->push_back(c);
    if (out_->size() >= maxCandidates_) gaveUp_ = true;
}

}  // namespace varnokit::fast
