// The result report: the puzzle as typed with its bars, the notes, the
// condition, the result log, one worked division per stored solution and the
// trailer, as cp932 lines ending in CR LF.
#include "files/report.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "files/file_output.h"

namespace varnokit {

const char* const kVersionText = "0.5";

namespace {

const char* const kTitle = "\x81\x96\x81\x96\x81@Varnokit\x81@\x81\x96\x81\x96";  // ＊＊　Varnokit　＊＊
const char* const kProblemHeading = "<\x96\xe2\x91\xe8>";  // <問題>
const char* const kNotesHeading = "<\x92\x8d\x8e\xdf>";    // <注釈>
const char* const kConditionPrefix = "\x8f\xf0\x8c\x8f * \x81\x82 ";  // 条件 * ≠ 
const char* const kSolutionPrefix = "<\x89\xf0: ";  // <解: 
const char* const kMakersNotice = "Varnokit developers, free to copy and share";

class Lines {
public:
    void add(std::string_view line) {
        bytes_ += line;
        bytes_ += "\r\n";
    }
    // "%*s": right-aligned in a field of `width` bytes; a longer text is kept whole.
    void addRight(int width, std::string_view text) {
        std::size_t field = width > 0 ? static_cast<std::size_t>(width) : 0;
        if (text.size() < field) bytes_.append(field - text.size(), ' ');
        add(text);
    }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

// The typed text of a row; bounded, as the record's field may be full.
std::string_view rawText(const WorkRow& row) {
    const void* end = std::memchr(row.raw, '\0', kRawCapacity);
    std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - row.raw)
                             : static_cast<std::size_t>(kRawCapacity);
    return std::string_view(row.raw, length);
}

int byteLength(std::string_view text) { return static_cast<int>(text.size()); }

// Interior slots u = 0 … 2q-2 that exist in a record. A Solve stopped by
// its checks can leave any quotient length behind, so the slots are bounded
// by the record's rows.
int interiorSlotCount(const WorkRecord& record) {
    int q = record.rows[kQuotientRow].length;
    return std::clamp(2 * q - 1, 0, kRowCount - kFirstInteriorRow);
}

// Header and the puzzle as typed, bars from the parenthesis column to the
// dividend's right end.
void addPuzzle(Lines& out, const WorkRecord& work) {
    const std::string_view divisor = rawText(work.rows[kDivisorRow]);
    const std::string_view dividend = rawText(work.rows[kDividendRow]);
    const int w0 = byteLength(divisor) + 1;
    const int e = byteLength(dividend) + w0;
    const std::string bar(dividend.size() + 1, '-');

    out.add(kTitle);
    out.add("");
    out.add(kProblemHeading);
    out.add("");
    out.addRight(e, rawText(work.rows[kQuotientRow]));
    out.addRight(e, bar);
    out.add(std::string(divisor) + ")" + std::string(dividend));
    // A one-cell divisor shows no interior rows here.
    if (work.rows[kDivisorRow].length != 1) {
        for (int u = 0; u < interiorSlotCount(work); ++u) {
            const WorkRow& row = work.rows[kFirstInteriorRow + u];
            if (row.length == 0) continue;  // the empty pair of a zero quotient digit
            const std::string_view text = rawText(row);
            out.addRight(byteLength(text) + w0, text);
            if (u % 2 == 0) out.addRight(e, bar);
        }
    }
    out.addRight(e, rawText(work.rows[kRemainderRow]));
    out.add("");
}

void addNotesConditionAndLog(Lines& out, const PuzzleState& state,
                             const std::vector<std::string>& notes,
                             const std::vector<std::string>& log) {
    if (!notes.empty()) {
        out.add(kNotesHeading);
        for (const std::string& line : notes) out.add(line);
        out.add("");
    }
    if (state.conditionDigit >= 0) {
        out.add(kConditionPrefix + std::to_string(state.conditionDigit));
        out.add("");
    }
    for (const std::string& line : log) out.add(line);
    out.add("");
}

// Solution `index` as a worked division: widths from the problem record
// (slot lengths are right-edge columns), bars one column wider than the
// dividend on the right.
void addSolution(Lines& out, const PuzzleState& state, int index) {
    const WorkRecord& shape = state.solutions.shared();
    Int128 v[kRowCount];
    state.solutions.rowValues(index, v);
    const int l0 = state.problem.rows[kDivisorRow].length;
    const int n = state.problem.rows[kDividendRow].length;
    const std::string bar(static_cast<std::size_t>(std::max(n + 2, 0)), '-');

    out.add(kSolutionPrefix + std::to_string(index + 1) + ">");
    out.add("");
    out.addRight(n + l0 + 1, toDecimal(v[kQuotientRow]));
    out.addRight(n + l0 + 2, bar);
    out.add(toDecimal(v[kDivisorRow]) + ")" + toDecimal(v[kDividendRow]));
    if (shape.rows[kDivisorRow].length != 1) {
        for (int u = 0; u < interiorSlotCount(shape); ++u) {
            const int row = kFirstInteriorRow + u;
            if (v[row] == 0) continue;  // the empty pair of a zero quotient digit
            out.addRight(state.problem.rows[row].length + l0 + 1, toDecimal(v[row]));
            if (u % 2 == 0) out.addRight(n + l0 + 2, bar);
        }
    }
    out.addRight(l0 + n + 1, toDecimal(v[kRemainderRow]));
}

}  // namespace

std::string formatReport(const PuzzleState& state, const std::vector<std::string>& notes,
                         const std::vector<std::string>& log) {
    Lines out;
    addPuzzle(out, state.work);
    addNotesConditionAndLog(out, state, notes, log);
    for (int i = 0; i < state.solutions.count(); ++i) addSolution(out, state, i);
    out.add("");
    out.add(std::string("solved by Varnokit version ") + kVersionText);
    out.add(std::string(10, ' ') + kMakersNotice);
    return out.take();
}

FileStatus writeReport(const std::string& path, ReportMode mode, const PuzzleState& state,
                       const std::vector<std::string>& notes, const std::vector<std::string>& log) {
    const std::string bytes = formatReport(state, notes, log);
    if (mode == ReportMode::Append) return appendToFile(path, bytes);
    return replaceFileContents(path, bytes);
}

}  // namespace varnokit
