// Questions about the shape of a division that several steps ask of a record.
#include "model/work_record.h"

namespace varnokit {

int lastWrittenDigit(const WorkRecord& record) {
    const int q = record.rows[kQuotientRow].length;
    for (int k = q - 1; k >= 0; --k) {
        const int row = partialProductRow(k);
        if (row < kRowCount && record.rows[row].length > 0) return k;
    }
    return -1;
}

bool remainderIsOpen(const WorkRecord& record) {
    const WorkRow& row = record.rows[kRemainderRow];
    for (int j = 0; j < row.length && j < kTextCapacity; ++j) {
        if (row.text[j] < '0' || row.text[j] > '9') return true;
    }
    return false;
}

}  // namespace varnokit
