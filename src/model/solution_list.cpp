// Storage of solutions and the reconstruction of their row values.
#include "model/solution_list.h"

#include <algorithm>
#include <limits>
#include <new>

namespace varnokit {

void SolutionList::setLimit(int64_t limit) {
    limit_ = std::clamp<int64_t>(limit, 1, std::numeric_limits<int>::max());
}

void SolutionList::reset() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    count_ = 0;
    current_ = -1;
}

void SolutionList::beginSearch(const WorkRecord& work) {
    template_ = work;
    for (int row = 0; row < kRowCount; ++row) {
        if (row != kRemainderRow) template_.rows[row].value = 0;
    }
}

bool SolutionList::append(int64_t divisor, int64_t quotient) {
    if (storing_) {
        const int64_t slot = count_ % kSolutionsPerBlock;
        if (slot == 0) {
            try {
                // Left uninitialised: the pages are taken as solutions fill them.
                std::unique_ptr<StoredSolution[]> block(new StoredSolution[kSolutionsPerBlock]);
                blocks_.push_back(std::move(block));
            } catch (const std::bad_alloc&) {
                return false;
            }
        }
        blocks_.back()[slot] = StoredSolution{divisor, quotient};
        current_ = static_cast<int>(count_);
    }
    ++count_;
    return true;
}

WorkRecord SolutionList::record(int64_t index) const {
    WorkRecord copy = template_;
    const StoredSolution& s = at(index);
    fillRowValues(copy, s.divisor, s.quotient);
    return copy;
}

void SolutionList::rowValues(int64_t index, Int128 (&out)[kRowCount]) const {
    const StoredSolution& s = at(index);
    computeRowValues(template_, s.divisor, s.quotient, out);
}

void computeRowValues(const WorkRecord& shape, Int128 divisor, Int128 quotient,
                      Int128 (&out)[kRowCount]) {
    const WorkRow* rows = shape.rows;
    const Int128 r = rows[kRemainderRow].value;
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

void fillRowValues(WorkRecord& record, Int128 divisor, Int128 quotient) {
    Int128 values[kRowCount];
    computeRowValues(record, divisor, quotient, values);
    for (int row = 0; row < kRowCount; ++row) record.rows[row].value = values[row];
}

}  // namespace varnokit
