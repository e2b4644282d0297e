// The solutions of the last search, in the order found, with a current
// position for the display. A solution is stored as its divisor and quotient
// only: every row value follows from them and the final remainder, and the
// row texts, lengths and ranges are those of the WorkRecord when the search
// started, the same for every solution. A remainder with hidden cells differs
// from solution to solution; then each one's remainder is kept beside it.
// `record()` rebuilds the full WorkRecord a solution had at the moment it
// was accepted.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/work_record.h"

namespace varnokit {

struct StoredSolution {
    int64_t divisor;   // at most 14 digits
    int64_t quotient;  // at most 14 digits
};

// --- Limit ---
// The most solutions a list stores unless told otherwise (1 GiB of them).
// The programs set a limit from the memory the machine can give before
// each search: a puzzle with very many solutions (an all-'*' layout with
// eight free divisor digits has ninety million) would otherwise grow the
// list until the system kills the program and every solution is lost; at
// the limit the search stops and keeps them.
constexpr std::size_t kSolutionMemoryBudget = std::size_t{1} << 30;
constexpr int64_t kMaxStoredSolutions =
    static_cast<int64_t>(kSolutionMemoryBudget / sizeof(StoredSolution));  // 67 108 864
// Solutions per block of storage (1 MiB). The list grows block by block, so
// it never copies what it holds and takes hardly more than 16 bytes a
// solution, where a doubling array briefly needs three times that.
constexpr int kSolutionsPerBlock = 1 << 16;

class SolutionList {
public:
    // --- Settings (kept across reset()) ---
    // At most this many solutions of 16 bytes are stored; clamped to 1 …
    // INT_MAX. A list that keeps remainders too (8 bytes more) stores two
    // thirds as many, in the same memory: limit() says how many.
    void setLimit(int64_t limit);
    int64_t limit() const;
    // false: solutions are counted, not stored (memory stays flat).
    void setStoring(bool storing) { storing_ = storing; }
    bool stores() const { return storing_; }
    bool full() const { return storing_ && count_ >= limit(); }

    // --- Filling (the search) ---
    void reset();                               // empty, count 0, no current
    void beginSearch(const WorkRecord& work);   // the record every solution shares
    // Adds a new tail, which becomes current; when not storing, only counts.
    // False, with nothing added, when memory for it cannot be had.
    bool append(int64_t divisor, int64_t quotient);
    // The same for a puzzle whose remainder is open (see remainderIsOpen):
    // its remainder is kept with it. Elsewhere it must be the shared one.
    bool append(int64_t divisor, int64_t quotient, int64_t remainder);

    // --- Reading ---
    int64_t count() const { return count_; }    // solutions found (stored or counted)
    bool empty() const { return count_ == 0; }
    // Solution `index` (0-based); only while storing.
    const StoredSolution& at(int64_t index) const {
        assert(storing_ && index >= 0 && index < count_);
        return blocks_[static_cast<std::size_t>(index / kSolutionsPerBlock)][index % kSolutionsPerBlock];
    }
    // The final remainder of solution `index`.
    Int128 remainder(int64_t index) const;
    // Whether each solution has its own remainder (the remainder is open).
    bool keepsRemainders() const { return openRemainder_; }
    // The WorkRecord as copied at acceptance of solution `index` (0-based;
    // its sequence number is index + 1).
    WorkRecord record(int64_t index) const;
    // Row values of solution `index` (row r in out[r]), without copying the
    // whole record: the fast path for passes over many solutions.
    void rowValues(int64_t index, Int128 (&out)[kRowCount]) const;
    const WorkRecord& shared() const { return template_; }

    // --- Current position (display and navigation) ---
    int current() const { return current_; }  // -1 when nothing is stored
    void setCurrent(int index) { current_ = index; }
    bool hasPrev() const { return current_ > 0; }
    bool hasNext() const { return current_ >= 0 && current_ + 1 < count_; }

private:
    std::vector<std::unique_ptr<StoredSolution[]>> blocks_;
    std::vector<std::unique_ptr<int64_t[]>> remainderBlocks_;  // beside blocks_, while the remainder is open
    bool openRemainder_ = false;                              // set by beginSearch
    int64_t count_ = 0;
    WorkRecord template_{};
    int current_ = -1;
    int64_t limit_ = kMaxStoredSolutions;
    bool storing_ = true;
};

// Computes the values of every row for divisor D, quotient Q and final
// remainder r: divisor, quotient, dividend D*Q + r, remainder, each
// non-empty P_k = D * q_k and R_k = P_k + the remainder left after digit k.
// Empty rows get value 0. `shape` gives the row lengths and q.
void computeRowValues(const WorkRecord& shape, Int128 divisor, Int128 quotient, Int128 remainder,
                      Int128 (&out)[kRowCount]);
// The same, written into the records' value fields.
void fillRowValues(WorkRecord& record, Int128 divisor, Int128 quotient, Int128 remainder);

}  // namespace varnokit
