// The right-end table, by depth-first search over the plan's choices with
// letter bindings kept on the way down.
#include "solver/fast_search_table.h"

namespace varnokit::fast {

namespace {

class TableBuilder {
public:
    TableBuilder(const Puzzle& puzzle, const std::vector<PlanStep>& plan, TableLimits limits,
                 std::vector<Partial>& out, TablePoll& poll)
        : puzzle_(puzzle), plan_(plan), limits_(limits), out_(out), poll_(poll) {
        for (int i = 0; i < kMaskLetters; ++i) {
            letter_[i] = static_cast<int8_t>(puzzle.start.letter[i]);
            if (letter_[i] >= 0) taken_ = static_cast<uint16_t>(taken_ | (1u << letter_[i]));
        }
        partial_ = emptyPartial();
        // The largest value a check meets: the divisor's chosen low digits
        // times the quotient, plus the remainder.
        int lowDigits = 0;
        for (const PlanStep& step : plan) lowDigits += step.divisorLow ? 1 : 0;
        const Int128 largest = pow10(lowDigits) * pow10(puzzle.q) + puzzle.remainder;
        narrow_ = lowDigits + puzzle.q <= 19 && largest < (static_cast<Int128>(1) << 64);
    }

    bool run() {
        descend(0);
        return !stopped_;
    }
    uint64_t nodes() const { return nodes_; }

private:
    void descend(std::size_t depth);
    bool checksHold(const PlanStep& step, std::vector<int>& bound);
    template <typename Number>
    int digitOf(const CellCheck& check) const;

    const Puzzle& puzzle_;
    const std::vector<PlanStep>& plan_;
    TableLimits limits_;
    std::vector<Partial>& out_;
    TablePoll& poll_;

    Partial partial_;
    Int128 divisorLow_ = 0;  // the divisor's known trailing digits as a number
    int8_t letter_[kMaskLetters];
    uint16_t taken_ = 0;
    uint64_t nodes_ = 0;
    bool stopped_ = false;
    bool narrow_ = false;  // every value fits in 64 bits
};

// The digit a completed cell must show. `Number` is uint64_t where every
// value met fits (see `narrow_`), Int128 otherwise.
template <typename Number>
int TableBuilder::digitOf(const CellCheck& check) const {
    const int q = puzzle_.q;
    const auto low = static_cast<Number>(divisorLow_);
    const auto remainder = static_cast<Number>(puzzle_.remainder);
    switch (check.row) {
        case RowKind::Divisor:
            return partial_.divisor[puzzle_.s - 1 - check.distance];
        case RowKind::Quotient:
            return partial_.quotient[check.k];
        case RowKind::Product:
            return static_cast<int>(low * static_cast<Number>(partial_.quotient[check.k]) /
                                    static_cast<Number>(pow10(check.distance)) % 10);
        case RowKind::Difference: {
            Number tail = 0;
            for (int k = check.k; k < q; ++k) tail = tail * 10 + static_cast<Number>(partial_.quotient[k]);
            const int m = q - 1 - check.k;
            return static_cast<int>((low * tail + remainder) / static_cast<Number>(pow10(m + check.distance)) % 10);
        }
        case RowKind::Dividend: {
            Number last = 0;  // the quotient's last distance+1 digits
            for (int k = q - 1 - check.distance < 0 ? 0 : q - 1 - check.distance; k < q; ++k) {
                last = last * 10 + static_cast<Number>(partial_.quotient[k]);
            }
            return static_cast<int>((low * last + remainder) / static_cast<Number>(pow10(check.distance)) % 10);
        }
    }
    return -1;
}

// Whether the step's completed cells agree; letters they bind are recorded
// in `bound` (for undoing) and stay bound.
bool TableBuilder::checksHold(const PlanStep& step, std::vector<int>& bound) {
    for (const CellCheck& check : step.checks) {
        const int digit = narrow_ ? digitOf<uint64_t>(check) : digitOf<Int128>(check);
        const int8_t cell = check.cell;
        if (cell <= 9) {
            if (cell != digit) return false;
        } else if (cell == kStar) {
            if (digit == puzzle_.condition) return false;
        } else {
            const int i = cell - kFirstLetter;
            if (letter_[i] >= 0) {
                if (letter_[i] != digit) return false;
            } else {
                if (taken_ & (1u << digit)) return false;
                letter_[i] = static_cast<int8_t>(digit);
                taken_ = static_cast<uint16_t>(taken_ | (1u << digit));
                bound.push_back(i);
            }
        }
    }
    return true;
}

void TableBuilder::descend(std::size_t depth) {
    if (++nodes_ > limits_.nodes) {
        stopped_ = true;
        return;
    }
    if ((nodes_ & 4095) == 0) poll_.poll();
    if (depth == plan_.size()) {
        if (out_.size() >= limits_.entries) {
            stopped_ = true;
            return;
        }
        out_.push_back(partial_);
        return;
    }
    const PlanStep& step = plan_[depth];
    const int s = puzzle_.s;
    const DigitMask allowed = step.divisorLow ? puzzle_.divisorAllowed[s - 1 - partial_.low]
                                              : puzzle_.quotientAllowed[step.quotient];
    std::vector<int> bound;
    for (int d = 0; d < 10 && !stopped_; ++d) {
        if (!(allowed & (1u << d))) continue;
        const Int128 savedLow = divisorLow_;
        if (step.divisorLow) {
            divisorLow_ += d * pow10(partial_.low);
            partial_.divisor[s - 1 - partial_.low] = static_cast<int8_t>(d);
            ++partial_.low;
        } else {
            partial_.quotient[step.quotient] = static_cast<int8_t>(d);
        }
        bound.clear();
        if (checksHold(step, bound)) descend(depth + 1);
        for (int i : bound) {
            taken_ = static_cast<uint16_t>(taken_ & ~(1u << letter_[i]));
            letter_[i] = -1;
        }
        if (step.divisorLow) {
            --partial_.low;
            partial_.divisor[s - 1 - partial_.low] = -1;
            divisorLow_ = savedLow;
        } else {
            partial_.quotient[step.quotient] = -1;
        }
    }
}

}  // namespace

bool buildRightEndTable(const Puzzle& puzzle, const std::vector<PlanStep>& plan, TableLimits limits,
                        std::vector<Partial>& out, uint64_t& nodes, TablePoll& poll) {
    out.clear();
    TableBuilder builder(puzzle, plan, limits, out, poll);
    const bool complete = builder.run();
    nodes += builder.nodes();
    if (!complete) {
        out.clear();
        out.shrink_to_fit();
    }
    return complete;
}

}  // namespace varnokit::fast
