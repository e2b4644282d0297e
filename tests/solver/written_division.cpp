// Written-out divisions, random hidden-digit puzzles and the brute-force
// solver the search is compared with.
#include "solver/written_division.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <functional>

#include "model/solution_list.h"

namespace varnokit::testing {
namespace {

int64_t power10(int e) {
    int64_t v = 1;
    while (e-- > 0) v *= 10;
    return v;
}

bool isLetter(char c) { return c >= 'A' && c <= 'J'; }

// Cell-by-cell comparison of a written number with a pattern, extending
// the letter map. A '*' never holds the condition digit.
class CellMatcher {
public:
    explicit CellMatcher(int condition) : condition_(condition) {
        std::fill(std::begin(letter_), std::end(letter_), -1);
        std::fill(std::begin(used_), std::end(used_), false);
    }
    bool match(const std::string& pattern, const std::string& written) {
        if (pattern.size() != written.size()) return false;
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            const char p = pattern[i];
            const int d = written[i] - '0';
            if (p == '*') {
                if (d == condition_) return false;
            } else if (isLetter(p)) {
                int& bound = letter_[p - 'A'];
                if (bound < 0) {
                    if (used_[d]) return false;
                    bound = d;
                    used_[d] = true;
                } else if (bound != d) {
                    return false;
                }
            } else if (p != written[i]) {
                return false;
            }
        }
        return true;
    }

private:
    int condition_;
    int letter_[10];
    bool used_[10];
};

// Cheap first test of a number against its pattern, ignoring letters.
bool roughlyFits(const std::string& pattern, int64_t value, int condition) {
    const std::string text = std::to_string(value);
    if (text.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (pattern[i] == '*' && text[i] - '0' == condition) return false;
        if (pattern[i] >= '0' && pattern[i] <= '9' && pattern[i] != text[i]) return false;
    }
    return true;
}

bool fits(const HiddenPuzzle& puzzle, const WrittenDivision& written) {
    const WrittenDivision& pattern = puzzle.pattern;
    const bool hidden = !puzzle.remainderPattern.empty();
    if (!hidden && written.remainder != pattern.remainder) return false;
    if (written.interior.size() != pattern.interior.size()) return false;
    CellMatcher matcher(puzzle.condition);
    if (hidden && !matcher.match(puzzle.remainderPattern, std::to_string(written.remainder))) return false;
    if (!matcher.match(pattern.divisor, written.divisor)) return false;
    if (!matcher.match(pattern.quotient, written.quotient)) return false;
    if (!matcher.match(pattern.dividend, written.dividend)) return false;
    for (std::size_t u = 0; u < pattern.interior.size(); ++u) {
        const WrittenLine& p = pattern.interior[u];
        const WrittenLine& w = written.interior[u];
        if (p.cells.empty() != w.cells.empty()) return false;
        if (p.cells.empty()) continue;
        if (p.endColumn != w.endColumn || !matcher.match(p.cells, w.cells)) return false;
    }
    return true;
}

// Up to three digits get a letter; the returned function hides a row's
// cells: a lettered digit becomes its letter with chance `lettered`, any
// other digit (or a lettered one left) becomes '*' with chance `starred`.
std::function<void(std::string&)> cellHider(std::mt19937& random, double lettered, double starred) {
    auto uniform = [&random](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(random); };
    std::array<int, 10> letterOf;
    letterOf.fill(-1);
    const int letters = static_cast<int>(uniform(0, 3));
    for (int i = 0; i < letters; ++i) letterOf[static_cast<std::size_t>(uniform(0, 9))] = i;
    return [&random, letterOf, lettered, starred](std::string& cells) {
        auto chance = [&random](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };
        for (char& c : cells) {
            const int d = c - '0';
            if (letterOf[static_cast<std::size_t>(d)] >= 0 && chance(lettered)) {
                c = static_cast<char>('A' + letterOf[static_cast<std::size_t>(d)]);
            } else if (chance(starred)) {
                c = '*';
            }
        }
    };
}

// The order of quotients for one divisor: read from the last digit (the
// last digit varies slowest).
bool readFromTheRightBefore(int64_t a, int64_t b) {
    std::string x = std::to_string(a), y = std::to_string(b);
    std::reverse(x.begin(), x.end());
    std::reverse(y.begin(), y.end());
    return x < y;
}

}  // namespace

WrittenDivision writeDivision(Int128 divisor, Int128 quotient, int64_t remainder) {
    WrittenDivision w;
    w.divisor = toDecimal(divisor);
    w.quotient = toDecimal(quotient);
    w.dividend = toDecimal(divisor * quotient + remainder);
    const int q = static_cast<int>(w.quotient.size());
    const int n = static_cast<int>(w.dividend.size());
    w.interior.assign(static_cast<std::size_t>(2 * q - 1), WrittenLine{});
    Int128 current = 0;
    for (int c = 0; c <= n - q; ++c) current = current * 10 + (w.dividend[static_cast<std::size_t>(c)] - '0');
    Int128 rest = current;
    for (int k = 0; k < q; ++k) {
        const int digit = w.quotient[static_cast<std::size_t>(k)] - '0';
        const int end = n - q + k;
        rest = current;
        if (digit != 0) {
            const Int128 product = divisor * digit;
            if (k > 0) w.interior[static_cast<std::size_t>(2 * k - 1)] = {toDecimal(current), end};
            w.interior[static_cast<std::size_t>(2 * k)] = {toDecimal(product), end};
            rest = current - product;
        }
        if (k + 1 < q) current = rest * 10 + (w.dividend[static_cast<std::size_t>(end + 1)] - '0');
    }
    w.remainder = static_cast<int64_t>(rest);
    return w;
}

HiddenPuzzle randomPuzzle(std::mt19937& random, int s, int q) {
    auto uniform = [&](int64_t lo, int64_t hi) {
        return std::uniform_int_distribution<int64_t>(lo, hi)(random);
    };
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };

    const int64_t divisor = uniform(power10(s - 1), power10(s) - 1);
    int64_t quotient = uniform(1, 9);
    // The last partial product ends under the dividend's last digit, so a
    // written division never ends in a zero quotient digit.
    for (int k = 1; k < q; ++k) {
        quotient = quotient * 10 + (k + 1 < q && chance(0.3) ? 0 : uniform(1, 9));
    }
    const int64_t remainder = chance(0.3) ? 0 : uniform(0, divisor - 1);

    HiddenPuzzle puzzle;
    puzzle.pattern = writeDivision(divisor, quotient, remainder);
    const auto hide = cellHider(random, 0.7, 0.6);
    hide(puzzle.pattern.divisor);
    hide(puzzle.pattern.quotient);
    hide(puzzle.pattern.dividend);
    for (WrittenLine& line : puzzle.pattern.interior) hide(line.cells);
    if (chance(0.4)) puzzle.condition = static_cast<int>(uniform(0, 9));
    return puzzle;
}

HiddenPuzzle randomWidePuzzle(std::mt19937& random, int s, int q) {
    auto uniform = [&](int64_t lo, int64_t hi) {
        return std::uniform_int_distribution<int64_t>(lo, hi)(random);
    };
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };

    const int64_t divisor = uniform(power10(s - 1), power10(s) - 1);
    // The last `zeros` quotient digits are 0: no lines are written for them.
    const int zeros = q > 1 && chance(0.5) ? static_cast<int>(uniform(1, q - 1)) : 0;
    int64_t quotient = uniform(1, 9);
    for (int k = 1; k < q; ++k) {
        const bool zero = k >= q - zeros || (k + 1 < q - zeros && chance(0.2));
        quotient = quotient * 10 + (zero ? 0 : uniform(1, 9));
    }
    const int64_t remainder = chance(0.2) ? 0 : uniform(0, divisor - 1);

    HiddenPuzzle puzzle;
    puzzle.pattern = writeDivision(divisor, quotient, remainder);
    if (chance(0.6)) puzzle.remainderPattern = std::to_string(remainder);
    const auto hide = cellHider(random, 0.6, 0.55);
    hide(puzzle.pattern.divisor);
    hide(puzzle.pattern.quotient);
    hide(puzzle.pattern.dividend);
    for (WrittenLine& line : puzzle.pattern.interior) hide(line.cells);
    hide(puzzle.remainderPattern);
    // A remainder whose cells all stayed digits is typed as a number.
    if (std::all_of(puzzle.remainderPattern.begin(), puzzle.remainderPattern.end(),
                    [](char c) { return c >= '0' && c <= '9'; }))
        puzzle.remainderPattern.clear();
    if (chance(0.3)) puzzle.condition = static_cast<int>(uniform(0, 9));
    return puzzle;
}

HiddenPuzzle handPattern(const std::string& divisor, const std::string& quotient,
                         const std::string& dividend, const std::vector<std::string>& interior,
                         int64_t remainder, int condition) {
    HiddenPuzzle puzzle;
    puzzle.condition = condition;
    WrittenDivision& p = puzzle.pattern;
    p.divisor = divisor;
    p.quotient = quotient;
    p.dividend = dividend;
    p.remainder = remainder;
    const int q = static_cast<int>(quotient.size());
    const int n = static_cast<int>(dividend.size());
    for (std::size_t u = 0; u < interior.size(); ++u) {
        const int k = static_cast<int>(u + 1) / 2;
        p.interior.push_back({interior[u], n - q + k});
    }
    return puzzle;
}

void loadPattern(PuzzleState& state, const HiddenPuzzle& puzzle) {
    const WrittenDivision& p = puzzle.pattern;
    std::memset(&state.work, 0, sizeof state.work);
    auto put = [](WorkRow& row, const std::string& text) {
        assert(text.size() < kTextCapacity);
        std::memcpy(row.text, text.data(), text.size());
        row.text[text.size()] = '\0';
        row.length = static_cast<int32_t>(text.size());
    };
    WorkRow* rows = state.work.rows;
    put(rows[kDivisorRow], p.divisor);
    put(rows[kQuotientRow], p.quotient);
    put(rows[kDividendRow], p.dividend);
    if (puzzle.remainderPattern.empty()) {
        put(rows[kRemainderRow], std::to_string(p.remainder));
        rows[kRemainderRow].value = p.remainder;
    } else {
        put(rows[kRemainderRow], puzzle.remainderPattern);
    }
    for (std::size_t u = 0; u < p.interior.size(); ++u) {
        put(rows[kFirstInteriorRow + static_cast<int>(u)], p.interior[u].cells);
    }
    state.problem = state.work;
    for (std::size_t u = 0; u < p.interior.size(); ++u) {
        const WrittenLine& line = p.interior[u];
        if (line.cells.empty()) continue;
        const std::string blanks(static_cast<std::size_t>(line.endColumn + 1) - line.cells.size(), ' ');
        put(state.problem.rows[kFirstInteriorRow + static_cast<int>(u)], blanks + line.cells);
    }
    state.conditionDigit = puzzle.condition;
    state.conditionChar = puzzle.condition < 0 ? '\0' : static_cast<char>('0' + puzzle.condition);
    resetLetters(state.letters);
    state.solutions.reset();
}

PuzzleInput typedInput(const HiddenPuzzle& puzzle) {
    auto typed = [](std::string cells) {
        for (char& c : cells) {
            if (isLetter(c)) c = static_cast<char>('a' + (c - 'A'));
        }
        return cells;
    };
    const WrittenDivision& p = puzzle.pattern;
    PuzzleInput input;
    input.divisor = typed(p.divisor);
    input.quotient = typed(p.quotient);
    input.bodyLines.push_back(typed(p.dividend));
    for (const WrittenLine& line : p.interior) {
        if (line.cells.empty()) continue;
        const std::string blanks(static_cast<std::size_t>(line.endColumn + 1) - line.cells.size(), ' ');
        input.bodyLines.push_back(blanks + typed(line.cells));
    }
    input.bodyLines.push_back(puzzle.remainderPattern.empty() ? std::to_string(p.remainder)
                                                              : typed(puzzle.remainderPattern));
    if (puzzle.condition >= 0) input.condition = std::to_string(puzzle.condition);
    return input;
}

std::vector<BruteSolution> bruteForce(const HiddenPuzzle& puzzle) {
    const WrittenDivision& p = puzzle.pattern;
    const int s = static_cast<int>(p.divisor.size());
    const int q = static_cast<int>(p.quotient.size());
    std::vector<BruteSolution> found;
    for (int64_t d = power10(s - 1); d < power10(s); ++d) {
        if (p.remainder >= d || !roughlyFits(p.divisor, d, puzzle.condition)) continue;
        std::vector<BruteSolution> forDivisor;
        for (int64_t quotient = power10(q - 1); quotient < power10(q); ++quotient) {
            if (!roughlyFits(p.quotient, quotient, puzzle.condition)) continue;
            if (fits(puzzle, writeDivision(d, quotient, p.remainder))) forDivisor.push_back({d, quotient});
        }
        // For one divisor the last quotient digit varies slowest.
        std::sort(forDivisor.begin(), forDivisor.end(), [](const BruteSolution& a, const BruteSolution& b) {
            return readFromTheRightBefore(a.quotient, b.quotient);
        });
        found.insert(found.end(), forDivisor.begin(), forDivisor.end());
    }
    return found;
}

}  // namespace varnokit::testing

namespace varnokit::testing {

std::vector<WideSolution> bruteForceWide(const HiddenPuzzle& puzzle) {
    const WrittenDivision& p = puzzle.pattern;
    const int s = static_cast<int>(p.divisor.size());
    const int q = static_cast<int>(p.quotient.size());
    const std::string& cells = puzzle.remainderPattern;
    // A hidden remainder has exactly as many digits as cells.
    const int64_t rLow = cells.empty() ? p.remainder : cells.size() == 1 ? 0 : power10(static_cast<int>(cells.size()) - 1);
    const int64_t rHigh = cells.empty() ? p.remainder : power10(static_cast<int>(cells.size())) - 1;
    std::vector<WideSolution> found;
    for (int64_t d = power10(s - 1); d < power10(s); ++d) {
        if (!roughlyFits(p.divisor, d, puzzle.condition)) continue;
        std::vector<WideSolution> forDivisor;
        for (int64_t quotient = power10(q - 1); quotient < power10(q); ++quotient) {
            if (!roughlyFits(p.quotient, quotient, puzzle.condition)) continue;
            for (int64_t r = rLow; r <= rHigh && r < d; ++r) {
                if (!cells.empty() && !roughlyFits(cells, r, puzzle.condition)) continue;
                if (!roughlyFits(p.dividend, d * quotient + r, puzzle.condition)) continue;
                if (fits(puzzle, writeDivision(d, quotient, r))) forDivisor.push_back({d, quotient, r});
            }
        }
        std::stable_sort(forDivisor.begin(), forDivisor.end(), [](const WideSolution& a, const WideSolution& b) {
            return readFromTheRightBefore(a.quotient, b.quotient);
        });
        found.insert(found.end(), forDivisor.begin(), forDivisor.end());
    }
    return found;
}

}  // namespace varnokit::testing
