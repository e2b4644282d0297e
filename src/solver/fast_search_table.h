// The right-end table: every assignment of the right-end plan's choices (the
// divisor's trailing digits and the quotient digits that the rows' right
// ends need) whose completed cells agree with the pattern. It is found once,
// before the first block, and both searches use it: the pruning search
// starts a block from the entries that fit its leading digits, and the
// ordered search tries only the divisor endings that occur in it, each with
// the quotient digits its entries allow. Each cell is checked exactly when
// the plan completes it, from the rows' low digits alone, so a node costs a
// few multiplications.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "solver/fast_search_check.h"
#include "solver/fast_search_plan.h"

namespace varnokit::fast {

// A divisor ending that some entry has, and the quotient digits allowed with it.
struct DivisorEnding {
    int8_t digit[kMaxDivisorDigits];  // the last `length` digits, from the left
    DigitMask quotient[kMaxQuotientDigits];  // all digits where the plan fixes none
};

class RightEndTable {
public:
    enum class Status { Complete, TooLarge, OverBudget };

    // Works out the table for `plan`, giving up past `maxEntries` entries or
    // `nodeCap` nodes. Contract: when Complete, every assignment of the
    // plan's choices that some solution extends is an entry (and possibly
    // more), as a Partial with high = 0.
    Status build(const Puzzle& puzzle, const std::vector<PlanStep>& plan, std::size_t maxEntries,
                 uint64_t nodeCap, const std::function<void()>& poll);

    std::size_t size() const { return entries_.size(); }
    uint64_t nodes() const { return nodes_; }  // of the last build, its pricing included

    // Calls visit(entry) for every entry whose bucket digits `quotientAllowed`
    // allows (its other quotient digits are the caller's to check).
    template <typename Visit>
    void forEachFitting(const DigitMask* quotientAllowed, Visit visit) const {
        for (int bucket = 0; bucket < 100; ++bucket) {
            if (!allows(quotientAllowed, 0, bucket / 10) || !allows(quotientAllowed, 1, bucket % 10)) continue;
            for (std::size_t i = bucketStart_[bucket]; i < bucketStart_[bucket + 1]; ++i) visit(entries_[i]);
        }
    }

    // The divisor endings of the entries, ascending, and their length.
    const std::vector<DivisorEnding>& endings() const { return endings_; }
    int endingLength() const { return endingLength_; }

private:
    bool allows(const DigitMask* quotientAllowed, int which, int digit) const {
        const int k = bucketDigit_[which];
        return k >= 0 ? (quotientAllowed[k] & (1u << digit)) != 0 : digit == 0;
    }
    void index(const Puzzle& puzzle, const std::vector<PlanStep>& plan);

    std::vector<Partial> entries_;
    int bucketDigit_[2] = {-1, -1};      // the quotient digits the buckets go by
    std::size_t bucketStart_[101] = {};  // bucket b: entries_[bucketStart_[b] … bucketStart_[b+1])
    std::vector<DivisorEnding> endings_;
    int endingLength_ = 0;
    uint64_t nodes_ = 0;
};

}  // namespace varnokit::fast
