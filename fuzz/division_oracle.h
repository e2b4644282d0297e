// An independent judge of a long division against the puzzle as typed, for
// the fuzz targets. The rows are computed by plain long division from the
// divisor and the quotient (prefix of the dividend minus the quotient's
// prefix times the divisor), not by the solver's carried remainders, and
// matched against the typed patterns with letters bound afresh.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/numbers.h"
#include "model/puzzle_state.h"

namespace varnokit::fuzzing {

// The puzzle as typed, in solver order (taken from the problem record after
// the re-layout): patterns without blanks, and each interior row's right end.
struct TypedPuzzle {
    std::string divisor, quotient, dividend;
    std::vector<std::string> interior;  // u = 0 … 2q-2; empty for a zero digit
    std::vector<int> rightEdge;         // typed length, leading blanks included
    std::string remainderText;
    Int128 remainder = 0;
    int condition = -1;
};

inline std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

inline TypedPuzzle typedPuzzle(const PuzzleState& state) {
    const WorkRow* rows = state.problem.rows;
    TypedPuzzle p;
    p.divisor = rows[kDivisorRow].text;
    p.quotient = rows[kQuotientRow].text;
    p.dividend = rows[kDividendRow].text;
    p.remainderText = rows[kRemainderRow].text;
    p.remainder = state.work.rows[kRemainderRow].value;
    p.condition = state.conditionDigit;
    const int q = static_cast<int>(p.quotient.size());
    for (int u = 0; u < 2 * q - 1; ++u) {
        const WorkRow& row = rows[kFirstInteriorRow + u];
        p.interior.emplace_back(trimmed(row.text));
        p.rightEdge.push_back(row.length);
    }
    return p;
}

// Letters bound while matching one candidate.
struct Letters {
    int digit[kMaskLetters] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int owner[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    bool onCondition = false;  // some letter stands for the condition digit
};

// Whether value (no leading zeros) fits the pattern: digits equal, '*' any
// digit but the condition, a letter one digit no other letter has.
inline bool fits(const std::string& pattern, Int128 value, int condition, Letters& letters) {
    if (value < 0) return false;
    const std::string digits = toDecimal(value);
    if (digits.size() != pattern.size()) return false;
    for (std::size_t j = 0; j < digits.size(); ++j) {
        const char cell = pattern[j];
        const int d = digits[j] - '0';
        if (cell >= '0' && cell <= '9') {
            if (cell - '0' != d) return false;
        } else if (cell == '*') {
            if (d == condition) return false;
        } else if (cell >= 'A' && cell < 'A' + kMaskLetters) {
            const int letter = cell - 'A';
            if (letters.digit[letter] < 0 && letters.owner[d] < 0) {
                letters.digit[letter] = d;
                letters.owner[d] = letter;
                if (d == condition) letters.onCondition = true;
            } else if (letters.digit[letter] != d) {
                return false;
            }
        } else {
            return false;  // no other cell survives the checks
        }
    }
    return true;
}

enum class Verdict {
    Invalid,
    Valid,
    ValidLetterOnCondition,  // valid, with a letter standing for the condition digit
};

// True when the remainder is typed with '*' or letters: every solution has
// its own, written as a number of exactly that many cells.
inline bool remainderHidden(const TypedPuzzle& p) {
    for (char c : p.remainderText)
        if (c < '0' || c > '9') return true;
    return false;
}

// Judges divisor D with quotient Q and remainder r against the typed puzzle
// (a remainder typed in digits is that number, whatever r says).
inline Verdict judge(const TypedPuzzle& p, Int128 d, Int128 quotient, Int128 r) {
    const int q = static_cast<int>(p.quotient.size());
    const bool hidden = remainderHidden(p);
    if (!hidden) r = p.remainder;
    if (d <= 0 || quotient <= 0 || r < 0 || r >= d) return Verdict::Invalid;
    const Int128 dividend = d * quotient + r;
    Letters letters;
    if (hidden && !fits(p.remainderText, r, p.condition, letters)) return Verdict::Invalid;
    if (!fits(p.divisor, d, p.condition, letters)) return Verdict::Invalid;
    if (!fits(p.quotient, quotient, p.condition, letters)) return Verdict::Invalid;
    if (!fits(p.dividend, dividend, p.condition, letters)) return Verdict::Invalid;
    for (int k = 0; k < q; ++k) {
        const int digit = static_cast<int>((quotient / pow10(q - 1 - k)) % 10);
        const std::string& product = p.interior[static_cast<std::size_t>(2 * k)];
        const std::string* difference = k > 0 ? &p.interior[static_cast<std::size_t>(2 * k - 1)] : nullptr;
        if (digit == 0) {
            if (!product.empty() || (difference != nullptr && !difference->empty())) return Verdict::Invalid;
            continue;
        }
        if (!fits(product, d * digit, p.condition, letters)) return Verdict::Invalid;
        if (difference != nullptr) {
            // What the partial product is subtracted from: the dividend's
            // prefix ending in this digit's column, less what the quotient's
            // digits before it have already taken away.
            const Int128 above = dividend / pow10(q - 1 - k) - 10 * d * (quotient / pow10(q - k));
            if (!fits(*difference, above, p.condition, letters)) return Verdict::Invalid;
        }
    }
    return letters.onCondition ? Verdict::ValidLetterOnCondition : Verdict::Valid;
}

// True when every written interior row ends in its quotient digit's
// dividend column and the remainder is typed without leading zeros: then
// the layout says nothing the arithmetic does not, and a solver that is
// right finds exactly the valid candidates.
inline bool plainlyLaidOut(const TypedPuzzle& p) {
    const int q = static_cast<int>(p.quotient.size());
    const int n = static_cast<int>(p.dividend.size());
    for (int u = 0; u < 2 * q - 1; ++u) {
        if (p.interior[static_cast<std::size_t>(u)].empty()) continue;
        const int k = (u + 1) / 2;
        if (p.rightEdge[static_cast<std::size_t>(u)] != n - q + k + 1) return false;
    }
    return remainderHidden(p) || toDecimal(p.remainder) == p.remainderText;
}

}  // namespace varnokit::fuzzing
