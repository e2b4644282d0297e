// The result report: the puzzle as typed with its bars, the notes, the
// condition, the result log, one worked division per stored solution and the
// trailer, as cp932 lines ending in CR LF.
#include "files/report.h"

#include <algorithm>
#include <string_view>

#include "model/normaliser.h"

namespace varnokit {

const char* const kVersionText = "0.5";

namespace {

const char* const kTitle = "\x81\x96\x81\x96\x81@Varnokit\x81@\x81\x96\x81\x96";  // ＊＊　Varnokit　＊＊
const char* const kProblemHeading = "<\x96\xe2\x91\xe8>";  // <問題>
const char* const kNotesHeading = "<\x92\x8d\x8e\xdf>";    // <注釈>
const char* const kConditionPrefix = "\x8f\xf0\x8c\x8f * \x81\x82 ";  // 条件 * ≠ 
const char* const kSolutionPrefix = "<\x89\xf0: ";  // <解: 
const char* const kMakersNotice = "Varnokit developers, free to copy and share";

// Lines for a sink; after the sink refused one, the rest are dropped.
class Lines {
public:
    explicit Lines(ReportSink& sink) : sink_(sink) {}
    bool ok() const { return ok_; }
    void add(std::string_view line) {
        if (ok_) ok_ = sink_.line(line);
    }
    // "%*s": right-aligned in a field of `width` bytes; a longer text is kept whole.
    void addRight(int width, std::string_view text) {
        std::size_t field = width > 0 ? static_cast<std::size_t>(width) : 0;
        scratch_.assign(text.size() < field ? field - text.size() : 0, ' ');
        scratch_ += text;
        add(scratch_);
    }

private:
    ReportSink& sink_;
    bool ok_ = true;
    std::string scratch_;  // reused: a report may have hundreds of millions of lines
};

int byteLength(std::string_view text) { return static_cast<int>(text.size()); }

// Interior slots u = 0 … 2q-2 that exist in a record, bounded by its rows.
int interiorSlotCount(const WorkRecord& record) {
    int q = record.rows[kQuotientRow].length;
    return std::clamp(2 * q - 1, 0, kRowCount - kFirstInteriorRow);
}

// A typed text as one report line: a line feed (which no box lets through,
// but the boxes' texts can come from anywhere) would split it.
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// Header and the puzzle as the last Solve was given it, bars from the
// parenthesis column to the dividend's right end. It comes from the typed
// lines, not from the records: a Solve the checks stopped early leaves the
// records empty or half filled, and its report must still show the puzzle.
void addPuzzle(Lines& out, const PuzzleState& state) {
    const PuzzleInput& typed = state.typed;
    const std::vector<std::string>& body = typed.bodyLines;
    const std::string divisor = oneLine(trimLine(typed.divisor));
    const std::string dividend = body.empty() ? std::string() : oneLine(trimLine(body.front()));
    const std::string last = body.size() < 2 ? std::string() : oneLine(trimLine(body.back()));
    const int w0 = byteLength(divisor) + 1;
    const int e = byteLength(dividend) + w0;
    const std::string bar(dividend.size() + 1, '-');

    out.add(kTitle);
    out.add("");
    out.add(kProblemHeading);
    out.add("");
    out.addRight(e, oneLine(trimLine(typed.quotient)));
    out.addRight(e, bar);
    out.add(divisor + ")" + dividend);
    // A one-cell divisor shows no interior rows here.
    if (state.problem.rows[kDivisorRow].length != 1) {
        for (std::size_t i = 1; i + 1 < body.size(); ++i) {
            const std::string text = oneLine(rightTrimLine(body[i]));
            if (text.empty()) continue;
            out.addRight(byteLength(text) + w0, text);
            if (i % 2 == 1) out.addRight(e, bar);  // after a partial product
        }
    }
    out.addRight(e, last);
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

bool writeReportLines(ReportSink& sink, const PuzzleState& state, const std::vector<std::string>& notes,
                      const std::vector<std::string>& log) {
    Lines out(sink);
    addPuzzle(out, state);
    addNotesConditionAndLog(out, state, notes, log);
    // Counted solutions (--count) were never stored: the log gives their number.
    const int64_t stored = state.solutions.stores() ? state.solutions.count() : 0;
    for (int64_t i = 0; i < stored && out.ok(); ++i) addSolution(out, state, static_cast<int>(i));
    out.add("");
    out.add(std::string("solved by Varnokit version ") + kVersionText);
    out.add(std::string(10, ' ') + kMakersNotice);
    return out.ok();
}

std::string formatReport(const PuzzleState& state, const std::vector<std::string>& notes,
                         const std::vector<std::string>& log) {
    class Bytes : public ReportSink {
    public:
        bool line(std::string_view text) override {
            bytes += text;
            bytes += "\r\n";
            return true;
        }
        std::string bytes;
    } sink;
    writeReportLines(sink, state, notes, log);
    return std::move(sink.bytes);
}

}  // namespace varnokit
