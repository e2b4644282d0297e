// The right-end table, by depth-first search over the plan's choices.
#include "solver/fast_search_table.h"

#include <algorithm>

namespace varnokit::fast {
namespace {

constexpr int kEstimatePaths = 64;  // random paths that price a table before it is built

// Digit e (from the right) of v: the last digit of v / 10^e.
template <typename Number>
int digitFromRight(Number v, int e) {
    int8_t digit;
    decimalDigits(v / tenTo<Number>(e), 1, &digit);
    return digit;
}

// The depth-first search over the plan. `Number` is uint64_t where every
// value a check meets fits, Int128 otherwise.
template <typename Number>
class Builder {
public:
    Builder(const Puzzle& puzzle, const std::vector<PlanStep>& plan, std::size_t maxEntries, uint64_t nodeCap,
            const std::function<void()>& poll, std::vector<Partial>& entries)
        : puzzle_(puzzle), plan_(plan), maxEntries_(maxEntries), nodeCap_(nodeCap), poll_(poll), entries_(entries) {
        taken_ = 0;
        for (int i = 0; i < kMaskLetters; ++i) {
            letter_[i] = static_cast<int8_t>(puzzle.start.letter[i]);
            if (letter_[i] >= 0) taken_ = static_cast<uint16_t>(taken_ | (1u << letter_[i]));
        }
        partial_ = emptyPartial();
    }

    RightEndTable::Status run() {
        step(0);
        if (tooLarge_) return RightEndTable::Status::TooLarge;
        if (overBudget_) return RightEndTable::Status::OverBudget;
        return RightEndTable::Status::Complete;
    }

    uint64_t nodes() const { return nodes_; }

    // Knuth's estimate of the nodes the whole table takes, from random paths
    // down the plan: at each step every allowed digit is tried, and one of
    // those whose cells agree is followed.
    double estimate(int paths, uint64_t random) {
        double total = 0;
        for (int i = 0; i < paths; ++i) total += path(random);
        return total / paths;
    }

private:
    double path(uint64_t& random) {
        double estimate = 0;
        double weight = 1;
        struct Taken {
            const PlanStep* step;
            Number savedLow;
            int8_t bound[kMaskLetters];
            int boundCount;
        };
        std::vector<Taken> taken;
        for (const PlanStep& step : plan_) {
            const DigitMask allowed = step.divisorLow ? puzzle_.divisorAllowed[puzzle_.s - 1 - partial_.low]
                                                      : puzzle_.quotientAllowed[step.quotient];
            int fitting[10], count = 0;
            for (int d = 0; d < 10; ++d) {
                if (!(allowed & (1u << d))) continue;
                ++nodes_;
                estimate += weight;
                Taken trial{&step, divisorLow_, {}, 0};
                assign(step, d);
                if (checksHold(step, trial.bound, trial.boundCount)) fitting[count++] = d;
                unbind(trial.bound, trial.boundCount);
                undo(step, trial.savedLow);
            }
            if (count == 0) break;
            weight *= count;
            random ^= random << 13;
            random ^= random >> 7;
            random ^= random << 17;
            Taken chosen{&step, divisorLow_, {}, 0};
            assign(step, fitting[random % static_cast<uint64_t>(count)]);
            checksHold(step, chosen.bound, chosen.boundCount);
            taken.push_back(chosen);
        }
        // Back to the root.
        for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
            unbind(it->bound, it->boundCount);
            undo(*it->step, it->savedLow);
        }
        return estimate;
    }

    void unbind(const int8_t* bound, int boundCount) {
        for (int i = 0; i < boundCount; ++i) {
            taken_ = static_cast<uint16_t>(taken_ & ~(1u << letter_[bound[i]]));
            letter_[bound[i]] = -1;
        }
    }

    void step(std::size_t depth) {
        if (depth == plan_.size()) {
            if (entries_.size() >= maxEntries_) {
                tooLarge_ = true;
                return;
            }
            entries_.push_back(partial_);
            return;
        }
        const PlanStep& step = plan_[depth];
        const DigitMask allowed = step.divisorLow ? puzzle_.divisorAllowed[puzzle_.s - 1 - partial_.low]
                                                  : puzzle_.quotientAllowed[step.quotient];
        Column columns[kMaxColumnChecks];
        const bool byColumn = step.divisorLow && columnsOf(step, columns);
        for (int d = 0; d < 10 && !tooLarge_ && !overBudget_; ++d) {
            if (!(allowed & (1u << d))) continue;
            if (++nodes_ >= nodeCap_) overBudget_ = true;
            if ((nodes_ & 4095) == 0) poll_();
            const Number savedLow = divisorLow_;
            assign(step, d);
            int8_t bound[kMaskLetters];
            int boundCount = 0;
            const bool hold = byColumn ? columnHolds(step, columns, d, bound, boundCount)
                                       : checksHold(step, bound, boundCount);
            if (hold) this->step(depth + 1);
            unbind(bound, boundCount);
            undo(step, savedLow);
        }
    }

    void assign(const PlanStep& step, int digit) {
        if (step.divisorLow) {
            divisorLow_ += static_cast<Number>(digit) * tenTo<Number>(partial_.low);
            partial_.divisor[puzzle_.s - 1 - partial_.low] = static_cast<int8_t>(digit);
            ++partial_.low;
        } else {
            partial_.quotient[step.quotient] = static_cast<int8_t>(digit);
        }
    }

    void undo(const PlanStep& step, Number savedLow) {
        if (step.divisorLow) {
            --partial_.low;
            partial_.divisor[puzzle_.s - 1 - partial_.low] = -1;
            divisorLow_ = savedLow;
        } else {
            partial_.quotient[step.quotient] = -1;
        }
    }

    // The digit a completed cell must show.
    int digitOf(const CellCheck& check) const {
        const int q = puzzle_.q;
        const auto remainder = static_cast<Number>(puzzle_.remainder);
        switch (check.row) {
            case RowKind::Divisor:
                return partial_.divisor[puzzle_.s - 1 - check.distance];
            case RowKind::Quotient:
                return partial_.quotient[check.k];
            case RowKind::Product:
                return digitFromRight(divisorLow_ * static_cast<Number>(partial_.quotient[check.k]), check.distance);
            case RowKind::Difference: {
                // R_k = floor((D × the quotient's digits k … q-1 + r) / 10^(q-1-k)).
                Number tail = 0;
                for (int k = check.k; k < q; ++k) tail = tail * 10 + static_cast<Number>(partial_.quotient[k]);
                return digitFromRight(divisorLow_ * tail + remainder, q - 1 - check.k + check.distance);
            }
            case RowKind::Dividend: {
                Number last = 0;  // the quotient's last distance+1 digits
                for (int k = std::max(0, q - 1 - check.distance); k < q; ++k) {
                    last = last * 10 + static_cast<Number>(partial_.quotient[k]);
                }
                return digitFromRight(divisorLow_ * last + remainder, check.distance);
            }
        }
        return -1;
    }

    // A divisor digit d at position t (from the right) completes, in each row
    // it reaches, the digit at position t of D_low × M + r, where D_low is
    // the divisor's digits below t, M the row's multiplier (a quotient digit,
    // the quotient's last digits) and r the remainder or 0: that digit is
    // (floor((D_low × M + r) / 10^t) + d × M) mod 10. The floor, the costly
    // part, is shared by the ten digits tried at t.
    struct Column {
        Number carry;
        Number multiplier;
    };
    static constexpr int kMaxColumnChecks = 2 * kMaxQuotientDigits + 2;  // divisor, products, differences, dividend

    // The columns of a divisor step, before its digit is assigned; false
    // when some check is not of that form (then each digit is checked whole).
    bool columnsOf(const PlanStep& step, Column* columns) const {
        if (step.checks.size() > static_cast<std::size_t>(kMaxColumnChecks)) return false;
        const int q = puzzle_.q;
        const int t = partial_.low;
        const auto remainder = static_cast<Number>(puzzle_.remainder);
        const Number scale = tenTo<Number>(t);
        for (std::size_t i = 0; i < step.checks.size(); ++i) {
            const CellCheck& check = step.checks[i];
            Number multiplier = 0, added = 0;
            int position = check.distance;
            switch (check.row) {
                case RowKind::Divisor:
                    multiplier = 1;
                    break;
                case RowKind::Quotient:
                    return false;
                case RowKind::Product:
                    multiplier = static_cast<Number>(partial_.quotient[check.k]);
                    break;
                case RowKind::Difference:
                    for (int k = check.k; k < q; ++k) multiplier = multiplier * 10 + static_cast<Number>(partial_.quotient[k]);
                    added = remainder;
                    position = q - 1 - check.k + check.distance;
                    break;
                case RowKind::Dividend:
                    for (int k = std::max(0, q - 1 - check.distance); k < q; ++k) {
                        multiplier = multiplier * 10 + static_cast<Number>(partial_.quotient[k]);
                    }
                    added = remainder;
                    break;
            }
            if (position != t) return false;
            columns[i] = {check.row == RowKind::Divisor ? 0 : (divisorLow_ * multiplier + added) / scale, multiplier};
        }
        return true;
    }

    bool columnHolds(const PlanStep& step, const Column* columns, int d, int8_t* bound, int& boundCount) {
        for (std::size_t i = 0; i < step.checks.size(); ++i) {
            const int digit = digitFromRight(columns[i].carry + static_cast<Number>(d) * columns[i].multiplier, 0);
            if (!cellHolds(step.checks[i].cell, digit, bound, boundCount)) return false;
        }
        return true;
    }

    // Whether a completed cell may show `digit`; a letter it binds is listed
    // in `bound` (for undoing) and stays bound.
    bool cellHolds(int8_t cell, int digit, int8_t* bound, int& boundCount) {
        if (cell <= 9) return cell == digit;
        if (cell == kStar) return digit != puzzle_.condition;
        const int i = cell - kFirstLetter;
        if (letter_[i] >= 0) return letter_[i] == digit;
        if (taken_ & (1u << digit)) return false;
        letter_[i] = static_cast<int8_t>(digit);
        taken_ = static_cast<uint16_t>(taken_ | (1u << digit));
        bound[boundCount++] = static_cast<int8_t>(i);
        return true;
    }

    // Whether the step's completed cells agree; letters they bind are listed
    // in `bound` (for undoing) and stay bound.
    bool checksHold(const PlanStep& step, int8_t* bound, int& boundCount) {
        for (const CellCheck& check : step.checks) {
            if (!cellHolds(check.cell, digitOf(check), bound, boundCount)) return false;
        }
        return true;
    }

    const Puzzle& puzzle_;
    const std::vector<PlanStep>& plan_;
    const std::size_t maxEntries_;
    const uint64_t nodeCap_;
    const std::function<void()>& poll_;
    std::vector<Partial>& entries_;

    Partial partial_;
    Number divisorLow_ = 0;  // the divisor's known trailing digits as a number
    int8_t letter_[kMaskLetters];
    uint16_t taken_;
    uint64_t nodes_ = 0;
    bool tooLarge_ = false;
    bool overBudget_ = false;
};

}  // namespace

RightEndTable::Status RightEndTable::build(const Puzzle& puzzle, const std::vector<PlanStep>& plan,
                                           std::size_t maxEntries, uint64_t nodeCap,
                                           const std::function<void()>& poll) {
    entries_.clear();
    int lowDigits = 0;
    for (const PlanStep& step : plan) lowDigits += step.divisorLow ? 1 : 0;
    // The largest value a check meets: the divisor's chosen low digits times
    // the quotient, plus the remainder.
    const Int128 largest = pow10(lowDigits) * pow10(puzzle.q) + puzzle.remainder;
    // A table that random paths price past twice its budget is not begun.
    auto build = [&](auto& builder) {
        const bool tooLarge = builder.estimate(kEstimatePaths, 0x9E3779B97F4A7C15ULL) > 2.0 * static_cast<double>(nodeCap);
        const Status result = tooLarge ? Status::OverBudget : builder.run();
        nodes_ = builder.nodes();
        return result;
    };
    Status status;
    if (lowDigits + puzzle.q <= 19 && largest < (static_cast<Int128>(1) << 64)) {
        Builder<uint64_t> builder(puzzle, plan, maxEntries, nodeCap, poll, entries_);
        status = build(builder);
    } else {
        Builder<Int128> builder(puzzle, plan, maxEntries, nodeCap, poll, entries_);
        status = build(builder);
    }
    if (status != Status::Complete) {
        entries_.clear();
        entries_.shrink_to_fit();
        return status;
    }
    endingLength_ = lowDigits;
    index(puzzle, plan);
    return status;
}

void RightEndTable::index(const Puzzle& puzzle, const std::vector<PlanStep>& plan) {
    const int q = puzzle.q;
    for (int k = 0; k < q; ++k) {
        const bool planned = std::any_of(plan.begin(), plan.end(),
                                         [k](const PlanStep& step) { return !step.divisorLow && step.quotient == k; });
        if (!planned) continue;
        if (bucketDigit_[0] < 0) {
            bucketDigit_[0] = k;
        } else {
            bucketDigit_[1] = k;
            break;
        }
    }
    auto key = [this](const Partial& entry) {
        const int first = bucketDigit_[0] >= 0 ? entry.quotient[bucketDigit_[0]] : 0;
        const int second = bucketDigit_[1] >= 0 ? entry.quotient[bucketDigit_[1]] : 0;
        return first * 10 + second;
    };
    std::stable_sort(entries_.begin(), entries_.end(),
                     [&](const Partial& a, const Partial& b) { return key(a) < key(b); });
    std::size_t i = 0;
    for (int bucket = 0; bucket <= 100; ++bucket) {
        bucketStart_[bucket] = i;
        while (i < entries_.size() && key(entries_[i]) == bucket) ++i;
    }

    // The endings, ascending, each with the union of its entries' quotient digits.
    const int s = puzzle.s;
    const int t = endingLength_;
    std::vector<const Partial*> byEnding;
    for (const Partial& entry : entries_) byEnding.push_back(&entry);
    auto endingLess = [&](const Partial* a, const Partial* b) {
        return std::lexicographical_compare(a->divisor + s - t, a->divisor + s, b->divisor + s - t, b->divisor + s);
    };
    std::stable_sort(byEnding.begin(), byEnding.end(), endingLess);
    endings_.clear();
    for (std::size_t e = 0; e < byEnding.size(); ++e) {
        const Partial& entry = *byEnding[e];
        if (e == 0 || endingLess(byEnding[e - 1], byEnding[e])) {
            DivisorEnding ending{};
            for (int p = 0; p < t; ++p) ending.digit[p] = entry.divisor[s - t + p];
            for (int k = 0; k < q; ++k) ending.quotient[k] = entry.quotient[k] >= 0 ? 0 : kAllDigits;
            endings_.push_back(ending);
        }
        DivisorEnding& ending = endings_.back();
        for (int k = 0; k < q; ++k) {
            if (entry.quotient[k] >= 0) ending.quotient[k] = static_cast<DigitMask>(ending.quotient[k] | (1u << entry.quotient[k]));
        }
    }
}

}  // namespace varnokit::fast
