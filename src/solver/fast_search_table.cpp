// The right-end table, by depth-first search over the plan's choices with
// an explicit stack, so that it can stop after any node and go on later.
#include "solver/fast_search_table.h"

#include <algorithm>
#include <utility>

namespace varnokit::fast {

RightEndTable::RightEndTable(const Puzzle& puzzle, std::vector<PlanStep> plan, std::size_t maxEntries)
    : puzzle_(puzzle), plan_(std::move(plan)), maxEntries_(maxEntries), frames_(plan_.size()) {
    for (int i = 0; i < kMaskLetters; ++i) {
        letter_[i] = static_cast<int8_t>(puzzle.start.letter[i]);
        if (letter_[i] >= 0) taken_ = static_cast<uint16_t>(taken_ | (1u << letter_[i]));
    }
    partial_ = emptyPartial();
    // The largest value a check meets: the divisor's chosen low digits times
    // the quotient, plus the remainder.
    int lowDigits = 0;
    for (const PlanStep& step : plan_) lowDigits += step.divisorLow ? 1 : 0;
    const Int128 largest = pow10(lowDigits) * pow10(puzzle.q) + puzzle.remainder;
    narrow_ = lowDigits + puzzle.q <= 19 && largest < (static_cast<Int128>(1) << 64);
}

namespace {

// Digit e (from the right) of v. The divisions by constants compile to
// multiplications, which matters in the table's innermost loop.
inline int digitAt(uint64_t v, int e) {
    switch (e) {
        case 0: return static_cast<int>(v % 10);
        case 1: return static_cast<int>(v / 10 % 10);
        case 2: return static_cast<int>(v / 100 % 10);
        case 3: return static_cast<int>(v / 1000 % 10);
        case 4: return static_cast<int>(v / 10000 % 10);
        case 5: return static_cast<int>(v / 100000 % 10);
        case 6: return static_cast<int>(v / 1000000 % 10);
        case 7: return static_cast<int>(v / 10000000 % 10);
        case 8: return static_cast<int>(v / 100000000 % 10);
        case 9: return static_cast<int>(v / 1000000000 % 10);
        case 10: return static_cast<int>(v / 10000000000ULL % 10);
        case 11: return static_cast<int>(v / 100000000000ULL % 10);
        case 12: return static_cast<int>(v / 1000000000000ULL % 10);
        case 13: return static_cast<int>(v / 10000000000000ULL % 10);
        case 14: return static_cast<int>(v / 100000000000000ULL % 10);
        case 15: return static_cast<int>(v / 1000000000000000ULL % 10);
        case 16: return static_cast<int>(v / 10000000000000000ULL % 10);
        case 17: return static_cast<int>(v / 100000000000000000ULL % 10);
        case 18: return static_cast<int>(v / 1000000000000000000ULL % 10);
        default: return static_cast<int>(v / 10000000000000000000ULL % 10);
    }
}

inline int digitAt(Int128 v, int e) { return static_cast<int>(v / pow10(e) % 10); }

}  // namespace

// The digit a completed cell must show. `Number` is uint64_t where every
// value met fits (see `narrow_`), Int128 otherwise.
template <typename Number>
int RightEndTable::digitOf(const CellCheck& check) const {
    const int q = puzzle_.q;
    const auto low = static_cast<Number>(divisorLow_);
    const auto remainder = static_cast<Number>(puzzle_.remainder);
    switch (check.row) {
        case RowKind::Divisor:
            return partial_.divisor[puzzle_.s - 1 - check.distance];
        case RowKind::Quotient:
            return partial_.quotient[check.k];
        case RowKind::Product:
            return digitAt(low * static_cast<Number>(partial_.quotient[check.k]), check.distance);
        case RowKind::Difference: {
            Number tail = 0;
            for (int k = check.k; k < q; ++k) tail = tail * 10 + static_cast<Number>(partial_.quotient[k]);
            const int m = q - 1 - check.k;
            return digitAt(low * tail + remainder, m + check.distance);
        }
        case RowKind::Dividend: {
            Number last = 0;  // the quotient's last distance+1 digits
            for (int k = q - 1 - check.distance < 0 ? 0 : q - 1 - check.distance; k < q; ++k) {
                last = last * 10 + static_cast<Number>(partial_.quotient[k]);
            }
            return digitAt(low * last + remainder, check.distance);
        }
    }
    return -1;
}

// Whether the step's completed cells agree; letters they bind are recorded
// in the frame (for undoing) and stay bound.
bool RightEndTable::checksHold(const PlanStep& step, Frame& frame) {
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
                frame.bound[frame.boundCount++] = static_cast<int8_t>(i);
            }
        }
    }
    return true;
}

void RightEndTable::assign(Frame& frame, const PlanStep& step, int digit) {
    frame.digit = digit;
    frame.boundCount = 0;
    if (step.divisorLow) {
        frame.savedLow = divisorLow_;
        divisorLow_ += digit * pow10(partial_.low);
        partial_.divisor[puzzle_.s - 1 - partial_.low] = static_cast<int8_t>(digit);
        ++partial_.low;
    } else {
        partial_.quotient[step.quotient] = static_cast<int8_t>(digit);
    }
}

void RightEndTable::undo(Frame& frame, const PlanStep& step) {
    for (int i = 0; i < frame.boundCount; ++i) {
        const int letter = frame.bound[i];
        taken_ = static_cast<uint16_t>(taken_ & ~(1u << letter_[letter]));
        letter_[letter] = -1;
    }
    frame.boundCount = 0;
    if (step.divisorLow) {
        --partial_.low;
        partial_.divisor[puzzle_.s - 1 - partial_.low] = -1;
        divisorLow_ = frame.savedLow;
    } else {
        partial_.quotient[step.quotient] = -1;
    }
}

RightEndTable::Status RightEndTable::extend(uint64_t nodes, TablePoll& poll) {
    if (tooLarge_) return Status::TooLarge;
    const uint64_t limit = nodes_ + nodes;
    const int steps = static_cast<int>(plan_.size());
    while (depth_ >= 0) {
        if (depth_ == steps) {
            if (entries_.size() >= maxEntries_) {
                tooLarge_ = true;
                entries_.clear();
                entries_.shrink_to_fit();
                return Status::TooLarge;
            }
            entries_.push_back(partial_);
            --depth_;
            continue;
        }
        if (nodes_ >= limit) return Status::Suspended;
        const PlanStep& step = plan_[depth_];
        Frame& frame = frames_[depth_];
        const int previous = frame.digit;
        if (previous >= 0) undo(frame, step);
        const DigitMask allowed = step.divisorLow ? puzzle_.divisorAllowed[puzzle_.s - 1 - partial_.low]
                                                  : puzzle_.quotientAllowed[step.quotient];
        const auto above = previous < 0 ? allowed : static_cast<DigitMask>(allowed & ~((2u << previous) - 1));
        if (above == 0) {
            frame.digit = -1;
            --depth_;
            continue;
        }
        ++nodes_;
        if ((nodes_ & 4095) == 0) poll.poll();
        assign(frame, step, __builtin_ctz(above));
        if (checksHold(step, frame)) {
            ++depth_;
            if (depth_ < steps) frames_[depth_].digit = -1;
        }
    }
    return Status::Complete;
}

IndexedTable::IndexedTable(std::vector<Partial> entries, const std::vector<PlanStep>& plan, int q)
    : entries_(std::move(entries)) {
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
}

}  // namespace varnokit::fast
