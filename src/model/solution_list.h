// The solutions of the last search, in the order found, with a current
// position for the display. A solution is stored as its divisor and quotient
// only: every row value follows from them and the final remainder, and the
// row texts, lengths and ranges are those of the WorkRecord when the search
// started, the same for every solution. `record()` rebuilds the full
// WorkRecord a solution had at the moment it was accepted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/work_record.h"

namespace varnokit {

struct StoredSolution {
    int64_t divisor;   // at most 14 digits
    int64_t quotient;  // at most 14 digits
};

// --- Limit ---
// Memory the stored solutions may take. A puzzle with very many solutions
// (an all-'*' layout with eight free divisor digits has ninety million)
// would otherwise grow the list until the system kills the program and
// every solution is lost; at the limit the search stops and keeps them.
constexpr std::size_t kSolutionMemoryBudget = std::size_t{1} << 30;  // 1 GiB
constexpr int kMaxStoredSolutions =
    static_cast<int>(kSolutionMemoryBudget / sizeof(StoredSolution));  // 67 108 864

class SolutionList {
public:
    // --- Limit ---
    void setLimit(int limit) { limit_ = limit; }   // kept across reset(); tests lower it
    int limit() const { return limit_; }
    bool full() const { return count() >= limit_; }

    // --- Filling (the search) ---
    void reset();                               // empty, count 0, no current
    void beginSearch(const WorkRecord& work);   // the record every solution shares
    void append(int64_t divisor, int64_t quotient);  // new tail, becomes current

    // --- Reading ---
    int count() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    const StoredSolution& at(int index) const { return items_[static_cast<std::size_t>(index)]; }
    // The WorkRecord as copied at acceptance of solution `index` (0-based;
    // its sequence number is index + 1).
    WorkRecord record(int index) const;
    // Row values of solution `index` (row r in out[r]), without copying the
    // whole record: the fast path for passes over many solutions.
    void rowValues(int index, Int128 (&out)[kRowCount]) const;
    const WorkRecord& shared() const { return template_; }

    // --- Current position (display and navigation) ---
    int current() const { return current_; }  // -1 when the list is empty
    void setCurrent(int index) { current_ = index; }
    bool hasPrev() const { return current_ > 0; }
    bool hasNext() const { return current_ >= 0 && current_ + 1 < count(); }

private:
    std::vector<StoredSolution> items_;
    WorkRecord template_{};
    int current_ = -1;
    int limit_ = kMaxStoredSolutions;
};

// Computes the values of every row for divisor D and quotient Q:
// divisor, quotient, dividend D*Q + r (r = the remainder row's value), each
// non-empty P_k = D * q_k and R_k = P_k + the remainder left after digit k.
// Empty rows get value 0. `shape` gives the row lengths, q and r.
void computeRowValues(const WorkRecord& shape, Int128 divisor, Int128 quotient,
                      Int128 (&out)[kRowCount]);
// The same, written into the records' value fields.
void fillRowValues(WorkRecord& record, Int128 divisor, Int128 quotient);

}  // namespace varnokit
