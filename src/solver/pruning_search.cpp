// The pruning search of one block: the most constrained open choice first.
#include "solver/pruning_search.h"

#include <algorithm>

#include "solver/fast_search_table.h"

namespace varnokit::fast {

bool referenceOrder(const Candidate& a, const Candidate& b) {
    if (a.divisor != b.divisor) return a.divisor < b.divisor;
    if (a.wholeDivisor != b.wholeDivisor) return a.wholeDivisor;
    return a.reversed < b.reversed;
}

namespace {

int digitCount(DigitMask mask) { return __builtin_popcount(mask); }

uint64_t nextRandom(uint64_t& random) {
    random ^= random << 13;
    random ^= random >> 7;
    random ^= random << 17;
    return random;
}

}  // namespace

PruningSearch::PruningSearch(const Puzzle& puzzle, std::function<void()> poll)
    : puzzle_(puzzle), poll_(std::move(poll)) {}

void PruningSearch::assign(Partial& partial, ChoiceKind kind, int k, int digit, int s) {
    switch (kind) {
        case ChoiceKind::High: partial.divisor[partial.high++] = static_cast<int8_t>(digit); break;
        case ChoiceKind::Low: partial.divisor[s - 1 - partial.low++] = static_cast<int8_t>(digit); break;
        case ChoiceKind::Quotient: partial.quotient[k] = static_cast<int8_t>(digit); break;
        case ChoiceKind::Remainder: partial.remainder[partial.remainderHigh++] = static_cast<int8_t>(digit); break;
        case ChoiceKind::Letter: partial.letter[k] = static_cast<int8_t>(digit); break;
    }
}

// Every test counts; every 4096 the user's input gets a chance to run.
bool PruningSearch::test(const Partial& partial, int changedQuotient) const {
    if ((++tests_ & 0xFFF) == 0) poll_();
    return consistent(puzzle_, partial, changedQuotient);
}

DigitMask PruningSearch::survivors(const Partial& partial, ChoiceKind kind, int k, DigitMask mask) const {
    if (kind == ChoiceKind::Quotient) {
        const uint64_t before = tests_;
        const DigitMask alive = quotientSurvivors(puzzle_, partial, k, mask, tests_);
        if ((before >> 12) != (tests_ >> 12)) poll_();
        return alive;
    }
    DigitMask alive = 0;
    for (int d = 0; d < 10; ++d) {
        if (!(mask & (1u << d))) continue;
        Partial child = partial;
        assign(child, kind, k, d, puzzle_.s);
        const int changed = kind == ChoiceKind::Quotient ? k : -1;
        if (test(child, changed)) alive = static_cast<DigitMask>(alive | (1u << d));
    }
    return alive;
}

// An open remainder has leading digits to take: like the divisor's, they
// bound the rows they enter (the difference rows and the dividend).
bool PruningSearch::remainderOpen(const Partial& partial) const {
    return puzzle_.remainderAllowed[0] != 0 && partial.remainderHigh < puzzle_.remainderRow.length;
}

void PruningSearch::beginBlock(const Partial& block) {
    Start root{block, {}};
    for (int k = 0; k < puzzle_.q; ++k) root.domains.quotient[k] = puzzle_.quotientAllowed[k];
    root.domains.remainder = puzzle_.remainderAllowed[block.remainderHigh];
    for (DigitMask& m : root.domains.letter) m = kAllDigits;
    freshDivisorDomains(block, root.domains);
    starts_.clear();
    if (table_ != nullptr) {
        startsFromTable(block, root.domains, starts_);
    } else {
        starts_.push_back(root);
    }
}

PruningSearch::Outcome PruningSearch::searchBlock(uint64_t budget, std::size_t maxCandidates,
                                                  std::vector<Candidate>& out) {
    out.clear();
    out_ = &out;
    maxCandidates_ = maxCandidates;
    budgetEnd_ = budget > UINT64_MAX - tests_ ? UINT64_MAX : tests_ + budget;
    gaveUp_ = false;
    for (const Start& start : starts_) {
        explore(start.partial, start.domains);
        if (gaveUp_) break;
    }
    const bool tooMany = out.size() >= maxCandidates_;
    if (gaveUp_ || tooMany) {
        out.clear();
        return tooMany ? Outcome::TooMany : Outcome::OverBudget;
    }
    std::sort(out.begin(), out.end(), referenceOrder);
    return Outcome::Complete;
}

// The side choices at `partial`: the open mask letters and the open
// remainder's next digit. Narrows them in `step.next`; sets `step` to the
// one with the fewest digits left when it has at most two and fewer than
// `divisorCount`, or to a dead end when one has none. Returns whether `step`
// is set.
bool PruningSearch::sideChoice(const Partial& partial, const Domains& domains, int divisorCount, Step& step) const {
    Domains& next = step.next;
    int bestCount = std::min(divisorCount, 3);
    bool chosen = false;
    auto consider = [&](ChoiceKind kind, int k, DigitMask& narrowed) {
        const int count = digitCount(narrowed);
        if (count == 0) {
            step.digits = 0;
            return true;
        }
        if (count < bestCount) {
            bestCount = count;
            step.kind = kind;
            step.k = k;
            step.digits = narrowed;
            chosen = true;
        }
        return false;
    };
    for (int i = 0; i < kMaskLetters; ++i) {
        if (!(puzzle_.freeLetters & (1u << i)) || partial.letter[i] >= 0) continue;
        next.letter[i] = survivors(partial, ChoiceKind::Letter, i, domains.letter[i]);
        if (consider(ChoiceKind::Letter, i, next.letter[i])) return true;
    }
    if (remainderOpen(partial)) {
        next.remainder = survivors(partial, ChoiceKind::Remainder, 0, domains.remainder);
        if (consider(ChoiceKind::Remainder, 0, next.remainder)) return true;
    }
    return chosen;
}

// The next step at `partial`: the open choice with the fewest digits left
// (a dead end when one has none), or a leaf when every digit is known.
// Contract: `partial` is consistent and `domains` hold, for every open
// choice, a superset of the digits that can still lead to a solution.
PruningSearch::Step PruningSearch::nextStep(const Partial& partial, const Domains& domains) const {
    const int s = puzzle_.s;
    Step step;
    step.next = domains;
    Domains& next = step.next;
    int bestCount = 11;
    bool anyOpen = false;
    const bool divisorOpen = partial.high + partial.low < s;

    // Most nodes that lead nowhere fail at the choice that failed last:
    // that one is narrowed first, and a dead end costs a few tests.
    int quotientDone = -1;
    if (lastFailure_ >= 0 && partial.quotient[lastFailure_] < 0) {
        next.quotient[lastFailure_] = survivors(partial, ChoiceKind::Quotient, lastFailure_, domains.quotient[lastFailure_]);
        if (next.quotient[lastFailure_] == 0) return step;
        quotientDone = lastFailure_;
    }

    // The open quotient digits: one with at most two digits left is taken
    // before the divisor.
    for (int k = 0; k < puzzle_.q && bestCount > 1; ++k) {
        if (partial.quotient[k] >= 0) continue;
        anyOpen = true;
        if (k != quotientDone) next.quotient[k] = survivors(partial, ChoiceKind::Quotient, k, domains.quotient[k]);
        const int count = digitCount(next.quotient[k]);
        if (count == 0) {
            lastFailure_ = k;
            step.digits = 0;
            return step;
        }
        if (count < bestCount) {
            bestCount = count;
            step.kind = ChoiceKind::Quotient;
            step.k = k;
            step.digits = next.quotient[k];
        }
    }
    // Otherwise the divisor grows first: each of its digits narrows every
    // quotient digit at once.
    const bool quotientOpen = anyOpen;
    const bool quotientFirst = quotientOpen && (bestCount <= 2 || order_ == Order::QuotientFirst);
    if (divisorOpen && !quotientFirst) {
        anyOpen = true;
        next.high = survivors(partial, ChoiceKind::High, 0, domains.high);
        const int highCount = digitCount(next.high);
        if (highCount == 0) {
            step.digits = 0;
            return step;
        }
        int lowCount = 11;
        // A forced left digit is taken without looking at the right end.
        const bool rightWaits = order_ == Order::LeftFirst && quotientOpen;
        if (highCount > 1 && partial.high + partial.low + 1 < s && !rightWaits) {
            next.low = survivors(partial, ChoiceKind::Low, 0, domains.low);
            lowCount = digitCount(next.low);
            if (lowCount == 0) {
                step.digits = 0;
                return step;
            }
        }
        // A mask letter's digit or an open remainder's next digit goes first
        // when it has at most two digits left, fewer than either end of the
        // divisor (more would multiply the nodes below without refuting them).
        if (highCount > 1 && sideChoice(partial, domains, std::min(highCount, lowCount), step)) return step;
        // On a tie between the two ends, grow the left one: its bounds reach
        // into every row at once.
        const bool preferLow = lowCount < highCount;
        step.kind = preferLow ? ChoiceKind::Low : ChoiceKind::High;
        step.digits = preferLow ? next.low : next.high;
    }
    step.leaf = !anyOpen;
    return step;
}

// The child of `partial` with `digit` at the step's choice, and its domains.
void PruningSearch::child(const Partial& partial, const Step& step, int digit, Partial& out, Domains& domains) const {
    const int s = puzzle_.s;
    out = partial;
    assign(out, step.kind, step.k, digit, s);
    domains = step.next;
    if (step.kind == ChoiceKind::Letter) return;
    if (step.kind == ChoiceKind::Remainder) {
        if (remainderOpen(out)) domains.remainder = puzzle_.remainderAllowed[out.remainderHigh];
        return;
    }
    if (out.high + out.low < s && step.kind != ChoiceKind::Quotient) {
        // The end that moved starts afresh at its new position; when one
        // open position is left, both ends name it.
        if (step.kind == ChoiceKind::High) domains.high = puzzle_.divisorAllowed[out.high];
        if (step.kind == ChoiceKind::Low) domains.low = puzzle_.divisorAllowed[s - 1 - out.low];
        if (out.high + out.low == s - 1) {
            const auto both = static_cast<DigitMask>(domains.high & domains.low);
            domains.high = domains.low = both;
        }
    }
}

void PruningSearch::explore(const Partial& partial, const Domains& domains) {
    if (tests_ >= budgetEnd_) {
        gaveUp_ = true;
        return;
    }
    if (handsOff(partial, domains)) {
        record(partial);
        return;
    }
    const Step step = nextStep(partial, domains);
    if (step.leaf) {
        // The last choice may have been checked only in the rows it entered.
        if (test(partial, -1)) record(partial);
        return;
    }
    for (int d = 0; d < 10; ++d) {
        if (!(step.digits & (1u << d))) continue;
        Partial next;
        Domains nextDomains;
        child(partial, step, d, next, nextDomains);
        explore(next, nextDomains);
        if (gaveUp_) return;
    }
}

// One random path from a start down (Knuth's estimator): every node on it
// stands for as many nodes as the product of the choices above it had, and
// its tests for as many tests.
double PruningSearch::probePath(Partial partial, Domains domains, uint64_t& random) {
    double estimate = 0;
    double weight = 1;
    for (;;) {
        if (handsOff(partial, domains)) return estimate + weight * handOffTests_;
        const uint64_t before = tests_;
        const Step step = nextStep(partial, domains);
        estimate += weight * static_cast<double>(tests_ - before + (step.leaf ? 1 : 0));
        const int count = digitCount(step.digits);
        if (step.leaf || count == 0) return estimate;
        weight *= count;
        int pick = static_cast<int>(nextRandom(random) % static_cast<uint64_t>(count));
        int digit = 0;
        for (; digit < 10; ++digit) {
            if ((step.digits & (1u << digit)) && pick-- == 0) break;
        }
        Partial next;
        Domains nextDomains;
        child(partial, step, digit, next, nextDomains);
        partial = next;
        domains = nextDomains;
    }
}

// Each start stands for the same share of the block.
double PruningSearch::estimateTests(int probes, uint64_t seed) {
    if (starts_.empty()) return 1;
    uint64_t random = seed | 1;
    double total = 0;
    for (int i = 0; i < probes; ++i) {
        const Start& start = starts_[nextRandom(random) % starts_.size()];
        total += probePath(start.partial, start.domains, random);
    }
    return static_cast<double>(starts_.size()) * total / probes;
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
void PruningSearch::startsFromTable(const Partial& block, const Domains& domains, std::vector<Start>& starts) {
    Domains narrowed = domains;
    for (int k = 0; k < puzzle_.q; ++k) {
        narrowed.quotient[k] = survivors(block, ChoiceKind::Quotient, k, domains.quotient[k]);
        if (narrowed.quotient[k] == 0) return;
    }
    table_->forEachFitting(narrowed.quotient, [&](const Partial& entry) {
        for (int k = 0; k < puzzle_.q; ++k) {
            if (entry.quotient[k] >= 0 && !(narrowed.quotient[k] & (1u << entry.quotient[k]))) return;
        }
        Start start{entry, narrowed};
        start.partial.high = block.high;
        for (int p = 0; p < block.high; ++p) start.partial.divisor[p] = block.divisor[p];
        if (!test(start.partial, -1)) return;
        freshDivisorDomains(start.partial, start.domains);
        starts.push_back(start);
    });
}

// With the divisor complete, the ordered search finds the quotient from the
// right, each row matched as soon as it is known, in a few steps; the tests
// here work on every open digit at every node.
bool PruningSearch::handsOff(const Partial& partial, const Domains& domains) const {
    if (handOffTests_ < 0 || partial.high + partial.low < puzzle_.s) return false;
    int open = 0;
    for (int k = 0; k < puzzle_.q; ++k) {
        if (partial.quotient[k] < 0) open += digitCount(domains.quotient[k]);
    }
    return open > handOffTests_;
}

// A leaf, or a whole divisor when a quotient digit is still open.
void PruningSearch::record(const Partial& partial) {
    Candidate c{0, 0, 0};
    for (int p = 0; p < puzzle_.s; ++p) c.divisor = c.divisor * 10 + partial.divisor[p];
    for (int k = 0; k < puzzle_.q; ++k) c.wholeDivisor = c.wholeDivisor || partial.quotient[k] < 0;
    if (!c.wholeDivisor) {
        for (int k = 0; k < puzzle_.q; ++k) c.quotient = c.quotient * 10 + partial.quotient[k];
        for (int k = puzzle_.q - 1; k >= 0; --k) c.reversed = c.reversed * 10 + partial.quotient[k];
    }
    out_->push_back(c);
    if (out_->size() >= maxCandidates_) gaveUp_ = true;
}

}  // namespace varnokit::fast
