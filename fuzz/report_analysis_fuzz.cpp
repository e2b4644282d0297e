// Fuzzes the uniqueness analysis and the result report on what the solver
// stored for arbitrary small puzzles. Properties: the analysis reports only
// cells that are wildcards in the solutions' patterns (never a letter or a
// given digit), each with a digit exactly one stored solution holds there,
// and every such cell and digit; a condition it advises leaves exactly one
// solution; the report has CR LF lines only, one block per solution in
// order, each with its divisor and dividend, and ends with its trailer.
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "analysis/uniqueness.h"
#include "fuzz_hooks.h"
#include "fuzz_input.h"
#include "files/report.h"
#include "solver/solve.h"

using namespace varnokit;
using fuzzing::FuzzHooks;
using fuzzing::require;

namespace {

constexpr int kSearchedBytes = 6;   // divisor and quotient bytes that are not digits
constexpr int kListLimit = 300;


int nonDigits(const std::string& text) {
    int count = 0;
    for (char c : text) count += (c < '0' || c > '9') ? 1 : 0;
    return count;
}

std::string bare(const WorkRow& row) {
    std::string text(row.text, static_cast<std::size_t>(row.length));
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

const char kArrow[] = " \x81\xa8 ";  // " → "

// The line head ("prefix P") of every examined row that the report step shows.
std::map<std::string, int> rowHeads(const PuzzleState& state) {
    std::map<std::string, int> heads;
    const WorkRow* typed = state.problem.rows;
    auto head = [&](const std::string& prefix, int row) {
        heads[prefix + std::string(typed[row].text, static_cast<std::size_t>(typed[row].length)) + kArrow] = row;
    };
    head("  \x94\xed\x8f\x9c\x90\x94: ", kDividendRow);  // 被除数
    head("  \x8f\x9c\x90\x94: ", kDivisorRow);           // 除数
    head("  \x8f\xa4: ", kQuotientRow);                  // 商
    int number = 0;
    const int q = state.work.rows[kQuotientRow].length;
    for (int u = 0; u < 2 * q - 1; ++u) {
        const int row = kFirstInteriorRow + u;
        if (state.work.rows[row].length == 0) continue;
        head("  \x95\x94\x95\xaa\x90\xcf" + std::to_string(++number) + "\x8ds\x96\xda: ", row);  // 部分積N行目
    }
    head("  \x97]\x82\xe8: ", kRemainderRow);  // 余り
    return heads;
}

// Solutions holding digit d in cell p of the row (values as stored).
int holding(const PuzzleState& state, int row, std::size_t p, char d) {
    int count = 0;
    for (int i = 0; i < state.solutions.count(); ++i) {
        const Int128 value = state.solutions.record(i).rows[row].value;
        if (value == 0 && row >= kFirstInteriorRow) continue;
        const std::string digits = toDecimal(value);
        count += p < digits.size() && digits[p] == d ? 1 : 0;
    }
    return count;
}

void checkDigits(const PuzzleState& state, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    require(lines[0] == "\x90\x94\x8e\x9a\x89\xbb\x82\xc9\x82\xe6\x82\xe8\x88\xea\x88\xd3\x89\xbb\x89\xc2\x94\x5c",
            "the revealed-digit answers start with their heading");
    const std::map<std::string, int> heads = rowHeads(state);
    const WorkRecord& shape = state.solutions.shared();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        int row = -1;
        std::string revealed;
        for (const auto& [head, r] : heads) {
            if (lines[i].rfind(head, 0) == 0) {
                row = r;
                revealed = lines[i].substr(head.size());
            }
        }
        require(row >= 0, "every answer names a row of the puzzle");
        const std::string typed = bare(state.problem.rows[row]);
        require(revealed.size() == typed.size(), "the revealed pattern is the typed one with one cell changed");
        std::size_t changed = 0, p = 0;
        for (std::size_t j = 0; j < typed.size(); ++j) {
            if (revealed[j] != typed[j]) {
                ++changed;
                p = j;
            }
        }
        require(changed == 1, "exactly one cell is revealed");
        require(typed[p] == '*' && shape.rows[row].text[p] == '*', "only a wildcard cell is ever revealed");
        require(revealed[p] >= '0' && revealed[p] <= '9', "a cell is revealed as a digit");
        require(holding(state, row, p, revealed[p]) == 1, "a revealed digit leaves exactly one solution");
    }
    // Every wildcard cell and digit held by exactly one solution is reported.
    std::size_t expected = 0;
    for (const auto& [head, row] : heads) {
        const WorkRow& pattern = shape.rows[row];
        for (std::size_t p = 0; p < static_cast<std::size_t>(pattern.length); ++p) {
            if (pattern.text[p] != '*') continue;
            for (char d = '0'; d <= '9'; ++d) expected += holding(state, row, p, d) == 1 ? 1 : 0;
        }
    }
    require(lines.size() - 1 == expected, "every cell and digit that singles out a solution is reported");
}

// A condition "no typed * is d" that the analysis advises leaves one solution.
void checkConditions(const PuzzleState& state, const std::vector<std::string>& lines) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        require(lines[i].size() == 7 && lines[i].rfind("  * \x81\x82", 0) == 0, "a condition line is '  * ≠d'");
        const char d = lines[i][6];
        int left = 0;
        for (int s = 0; s < state.solutions.count(); ++s) {
            const WorkRecord record = state.solutions.record(s);
            bool uses = false;
            for (int row = 0; row < kFirstInteriorRow + 2 * record.rows[kQuotientRow].length - 1; ++row) {
                if (row >= kFirstInteriorRow && record.rows[row].value == 0) continue;
                const std::string typed = bare(state.problem.rows[row]);
                const std::string digits = toDecimal(record.rows[row].value);
                for (std::size_t p = 0; p < typed.size() && p < digits.size(); ++p)
                    uses = uses || (typed[p] == '*' && digits[p] == d);
            }
            left += uses ? 0 : 1;
        }
        require(left == 1, "an advised condition leaves exactly one solution");
    }
}

std::vector<std::string> splitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n') continue;
        require(i > start && bytes[i - 1] == '\r', "every report line ends in CR LF");
        lines.push_back(bytes.substr(start, i - 1 - start));
        start = i + 1;
    }
    require(start == bytes.size(), "the report ends with a line end");
    return lines;
}

void checkReport(const PuzzleState& state, const std::vector<std::string>& notes,
                 const std::vector<std::string>& log) {
    const std::vector<std::string> lines = splitCrLf(formatReport(state, notes, log));
    require(lines.size() >= 4 && lines[lines.size() - 2] == std::string("solved by Varnokit version ") + kVersionText &&
                lines.back().rfind("          ", 0) == 0,
            "the report ends with its trailer");
    // Solution blocks: after the log, "<解: n>" headings in order.
    int next = 1;
    std::string divisionLine;
    for (const std::string& line : lines) {
        const std::string heading = "<\x89\xf0: " + std::to_string(next) + ">";
        if (next <= state.solutions.count() && line == heading) {
            const WorkRecord record = state.solutions.record(next - 1);
            divisionLine = toDecimal(record.rows[kDivisorRow].value) + ")" + toDecimal(record.rows[kDividendRow].value);
            ++next;
        } else if (!divisionLine.empty() && line == divisionLine) {
            divisionLine.clear();
        }
    }
    require(next == state.solutions.count() + 1, "one block per stored solution, numbered in order");
    require(divisionLine.empty(), "each block shows its divisor and dividend");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PuzzleInput input = fuzzing::splitInput(data, size);
    if (nonDigits(input.divisor) + nonDigits(input.quotient) > kSearchedBytes) return 0;
    PuzzleState state;
    state.solutions.setLimit(kListLimit);
    FuzzHooks hooks(state);
    const SolveOutcome outcome = solve(state, input, hooks, SolveOptions{false, SearchEngine::Reference});

    std::vector<std::string> log = hooks.log;
    if (outcome != SolveOutcome::Rejected && state.solutions.count() >= 2) {
        const std::vector<std::string> conditions = analyseConditions(state);
        const std::vector<std::string> digits = analyseDigits(state);
        checkConditions(state, conditions);
        checkDigits(state, digits);
        log.insert(log.end(), conditions.begin(), conditions.end());
        log.insert(log.end(), digits.begin(), digits.end());
    }
    // The body lines stand in for the notes box: any bytes but line ends,
    // and no line that could pass for a solution heading.
    std::vector<std::string> notes;
    for (const std::string& line : input.bodyLines)
        if (line.rfind('<', 0) != 0) notes.push_back(line);
    checkReport(state, notes, log);
    return 0;
}
