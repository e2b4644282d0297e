// The right-end table: every assignment of the right-end plan's choices (the
// divisor's trailing digits and some quotient digits) whose completed cells
// agree with the pattern, found once and then shared by every block of the
// search. Each cell is checked exactly when the plan completes it, from the
// rows' low digits alone, so a node costs a few multiplications. The table
// is built in installments: work stops after a given number of nodes and
// goes on from there when asked again.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/fast_search_check.h"
#include "solver/fast_search_plan.h"

namespace varnokit::fast {

class TablePoll {
public:
    virtual ~TablePoll() = default;
    virtual void poll() = 0;  // every few thousand nodes; may throw to stop
};

class RightEndTable {
public:
    enum class Status { Complete, Suspended, TooLarge };

    RightEndTable(const Puzzle& puzzle, std::vector<PlanStep> plan, std::size_t maxEntries);

    // Works until the table is complete, `nodes` more nodes are spent, or
    // it would exceed its entries. Contract: once Complete, entries() holds
    // every assignment of the plan's choices that some solution extends
    // (and possibly more), as Partials with high = 0.
    Status extend(uint64_t nodes, TablePoll& poll);

    const std::vector<Partial>& entries() const { return entries_; }
    std::vector<Partial>& entries() { return entries_; }
    const std::vector<PlanStep>& plan() const { return plan_; }
    uint64_t nodes() const { return nodes_; }

private:
    // The choice made at one plan step and what it bound.
    struct Frame {
        int digit = -1;  // the digit assigned, or -1 before the first
        Int128 savedLow = 0;
        int8_t bound[kMaskLetters] = {};
        int boundCount = 0;
    };

    void assign(Frame& frame, const PlanStep& step, int digit);
    void undo(Frame& frame, const PlanStep& step);
    bool checksHold(const PlanStep& step, Frame& frame);
    template <typename Number>
    int digitOf(const CellCheck& check) const;

    const Puzzle& puzzle_;
    std::vector<PlanStep> plan_;
    std::size_t maxEntries_;
    std::vector<Partial> entries_;
    std::vector<Frame> frames_;
    int depth_ = 0;  // the plan step being chosen; -1 once complete

    Partial partial_;
    Int128 divisorLow_ = 0;  // the divisor's known trailing digits as a number
    int8_t letter_[kMaskLetters];
    uint16_t taken_ = 0;
    uint64_t nodes_ = 0;
    bool narrow_ = false;  // every value a check meets fits in 64 bits
    bool tooLarge_ = false;
};

// A finished table, sorted into buckets by its first one or two planned
// quotient digits (the ones a block's leading digits narrow most), so that a
// block visits only the buckets its own quotient digits allow.
class IndexedTable {
public:
    IndexedTable() = default;
    IndexedTable(std::vector<Partial> entries, const std::vector<PlanStep>& plan, int q);

    std::size_t size() const { return entries_.size(); }

    // Calls visit(entry) for every entry whose bucket digits `quotientAllowed`
    // allows (its other quotient digits are the caller's to check).
    template <typename Visit>
    void forEachFitting(const DigitMask* quotientAllowed, Visit visit) const {
        for (int bucket = 0; bucket < 100; ++bucket) {
            if (!allows(quotientAllowed, 0, bucket / 10) || !allows(quotientAllowed, 1, bucket % 10)) continue;
            for (std::size_t i = bucketStart_[bucket]; i < bucketStart_[bucket + 1]; ++i) visit(entries_[i]);
        }
    }

private:
    bool allows(const DigitMask* quotientAllowed, int which, int digit) const {
        const int k = bucketDigit_[which];
        return k >= 0 ? (quotientAllowed[k] & (1u << digit)) != 0 : digit == 0;
    }

    std::vector<Partial> entries_;
    int bucketDigit_[2] = {-1, -1};      // the quotient digits the buckets go by
    std::size_t bucketStart_[101] = {};  // bucket b: entries_[bucketStart_[b] … bucketStart_[b+1])
};

}  // namespace varnokit::fast
