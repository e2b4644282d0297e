// Storage of solutions and the reconstruction of their row values.
#include "model/solution_list.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <new>

namespace varnokit {

void SolutionList::setLimit(int64_t limit) {
    limit_ = std::clamp<int64_t>(limit, 1, std::numeric_limits<int>::max());
}

int64_t SolutionList::limit() const {
    return openRemainder_ ? std::max<int64_t>(1, limit_ / 3 * 2) : limit_;
}

void SolutionList::reset() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    remainderBlocks_.clear();
    remainderBlocks_.shrink_to_fit();
    openRemainder_ = false;
    count_ = 0;
    current_ = -1;
}

void SolutionList::beginSearch(const WorkRecord& work) {
    template_ = work;
    openRemainder_ = remainderIsOpen(work);
    for (int row = 0; row < kRowCount; ++row) {
        if (row != kRemainderRow || openRemainder_) template_.rows[row].value = 0;
    }
}

bool SolutionList::append(int64_t divisor, int64_t quotient) {
    assert(!openRemainder_);
    return append(divisor, quotient, 0);
}

bool SolutionList::append(int64_t divisor, int64_t quotient, int64_t remainder) {
    assert(openRemainder_ || remainder == 0 || remainder == template_.rows[kRemainderRow].value);
    if (storing_) {
        const int64_t slot = count_ % kSolutionsPerBlock;
        if (slot == 0) {
            try {
                // Left uninitialised: the pages are taken as solutions fill them.
                std::unique_ptr<StoredSolution[]> block(new StoredSolution[kSolutionsPerBlock]);
                std::unique_ptr<int64_t[]> remainders;
                if (openRemainder_) remainders.reset(new int64_t[kSolutionsPerBlock]);
                blocks_.reserve(blocks_.size() + 1);
                remainderBlocks_.reserve(remainderBlocks_.size() + 1);
                blocks_.push_back(std::move(block));
                if (openRemainder_) remainderBlocks_.push_back(std::move(remainders));
            } catch (const std::bad_alloc&) {
                return false;
            }
        }
        blocks_.back()[slot] = StoredSolution{divisor, quotient};
        if (openRemainder_) remainderBlocks_.back()[slot] = remainder;
        current_ = static_cast<int>(count_);
    }
    ++count_;
    return true;
}

Int128 SolutionList::remainder(int64_t index) const {
    if (!openRemainder_) return template_.rows[kRemainderRow].value;
    return remainderBlocks_[static_cast<std::size_t>(index / kSolutionsPerBlock)][index % kSolutionsPerBlock];
}

WorkRecord SolutionList::record(int64_t index) const {
    WorkRecord copy = template_;
    const StoredSolution& s = at(index);
    fillRowValues(copy, s.divisor, s.quotient, remainder(index));
    return copy;
}

void SolutionList::rowValues(int64_t index, Int128 (&out)[kRowCount]) const {
    const StoredSolution& s = at(index);
    computeRowValues(template_, s.divisor, s.quotient, remainder(index), out);
}

void computeRowValues(const WorkRecord& shape, Int128 divisor, Int128 quotient, Int128 r,
                      Int128 (&out)[kRowCount]) {
    const WorkRow* rows = shape.rows;
    const int q = rows[kQuotientRow].length;
    for (Int128& v : out) v = 0;
    out[kDivisorRow] = divisor;
    out[kQuotientRow] = quotient;
    out[kDividendRow] = divisor * quotient + r;
    out[kRemainderRow] = r;

    Int128 carried = r;  // remainder left after quotient digit k
    Int128 rest = quotient;
    for (int k = q - 1; k >= 0; --k) {
        int digit = static_cast<int>(rest % 10);
        rest /= 10;
        if (digit == 0 || rows[partialProductRow(k)].length == 0) {
            carried /= 10;  // a zero digit brings down one more dividend digit
            continue;
        }
        Int128 p = divisor * digit;
        out[partialProductRow(k)] = p;
        if (k > 0) {
            Int128 diff = p + carried;
            out[differenceRow(k)] = diff;
            carried = diff / 10;
        }
    }
}

void fillRowValues(WorkRecord& record, Int128 divisor, Int128 quotient, Int128 remainder) {
    Int128 values[kRowCount];
    computeRowValues(record, divisor, quotient, remainder, values);
    for (int row = 0; row < kRowCount; ++row) record.rows[row].value = values[row];
}

}  // namespace varnokit
