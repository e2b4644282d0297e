// Generation of hidden long divisions for the fast search's tests.
#include "fast_generated_puzzles.h"

#include <cstring>

#include "model/solution_list.h"

namespace varnokit::testing {

namespace {

Int128 randomNumber(std::mt19937_64& rng, int digits) {
    Int128 value = std::uniform_int_distribution<int>(1, 9)(rng);
    for (int i = 1; i < digits; ++i) value = value * 10 + std::uniform_int_distribution<int>(0, 9)(rng);
    return value;
}

bool chance(std::mt19937_64& rng, double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

// Hides cells of a digit text: '*' or the digit's letter.
std::string hide(const std::string& digits, std::mt19937_64& rng, const HidingOptions& options,
                 const int (&letterOf)[10]) {
    std::string text = digits;
    for (char& c : text) {
        if (!chance(rng, options.hidden)) continue;
        const int d = c - '0';
        c = letterOf[d] >= 0 && chance(rng, options.lettered) ? static_cast<char>('A' + letterOf[d]) : '*';
    }
    return text;
}

}  // namespace

HiddenDivision generateDivision(std::mt19937_64& rng, const HidingOptions& options) {
    HiddenDivision division;
    const int s = std::uniform_int_distribution<int>(1, options.maxDivisorDigits)(rng);
    const int q = std::uniform_int_distribution<int>(1, options.maxQuotientDigits)(rng);
    division.divisor = randomNumber(rng, s);
    // Quotient digits: the first nonzero, later ones 0 now and then.
    Int128 quotient = std::uniform_int_distribution<int>(1, 9)(rng);
    for (int k = 1; k < q; ++k) {
        const int digit = chance(rng, options.zeroDigit) ? 0 : std::uniform_int_distribution<int>(1, 9)(rng);
        quotient = quotient * 10 + digit;
    }
    division.quotient = quotient;
    division.remainder = chance(rng, 0.3) ? 0
        : static_cast<Int128>(std::uniform_int_distribution<int64_t>(0, INT64_MAX)(rng)) % division.divisor;

    // Row values, through the shape of the rows.
    WorkRecord shape;
    std::memset(&shape, 0, sizeof shape);
    shape.rows[kQuotientRow].length = q;
    shape.rows[kRemainderRow].value = division.remainder;
    const std::string quotientDigits = toDecimal(quotient);
    for (int k = 0; k < q; ++k) {
        if (quotientDigits[static_cast<std::size_t>(k)] == '0') continue;
        shape.rows[partialProductRow(k)].length = 1;
        if (k > 0) shape.rows[differenceRow(k)].length = 1;
    }
    Int128 values[kRowCount];
    computeRowValues(shape, division.divisor, quotient, division.remainder, values);

    // Letters for a few digits, at random.
    int letterOf[10];
    for (int& l : letterOf) l = -1;
    int letters = 0;
    for (int d = 0; d < 10; ++d) {
        if (chance(rng, 0.5)) letterOf[d] = letters++;
    }

    division.divisorText = hide(toDecimal(division.divisor), rng, options, letterOf);
    division.quotientText = hide(quotientDigits, rng, options, letterOf);
    division.dividendText = hide(toDecimal(values[kDividendRow]), rng, options, letterOf);
    division.remainderText = toDecimal(division.remainder);
    // A hidden remainder keeps at least one hidden cell: one of digits only is typed as a number.
    if (options.hiddenRemainder > 0 && chance(rng, options.hiddenRemainder)) {
        division.remainderText = hide(division.remainderText, rng, options, letterOf);
        if (division.remainderText == toDecimal(division.remainder)) division.remainderText[0] = '*';
    }
    for (int row = kFirstInteriorRow; row < kFirstInteriorRow + 2 * q - 1; ++row) {
        const bool written = shape.rows[row].length > 0;
        division.interior.push_back(written ? hide(toDecimal(values[row]), rng, options, letterOf) : "");
    }

    if (chance(rng, options.condition)) {
        if (options.conditionMayContradict) {
            division.condition = std::uniform_int_distribution<int>(0, 9)(rng);
        } else {
            // A digit that no '*' of the division hides.
            bool hiddenByStar[10] = {};
            auto mark = [&](const std::string& text, const std::string& digits) {
                for (std::size_t i = 0; i < text.size(); ++i) {
                    if (text[i] == '*') hiddenByStar[digits[i] - '0'] = true;
                }
            };
            mark(division.divisorText, toDecimal(division.divisor));
            mark(division.quotientText, quotientDigits);
            mark(division.dividendText, toDecimal(values[kDividendRow]));
            for (int row = kFirstInteriorRow; row < kFirstInteriorRow + 2 * q - 1; ++row) {
                const std::string& text = division.interior[static_cast<std::size_t>(row - kFirstInteriorRow)];
                if (!text.empty()) mark(text, toDecimal(values[row]));
            }
            std::vector<int> free;
            for (int d = 0; d < 10; ++d) {
                if (!hiddenByStar[d]) free.push_back(d);
            }
            if (!free.empty()) {
                division.condition = free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(rng)];
            }
        }
    }
    return division;
}

PuzzleInput toInput(const HiddenDivision& division) {
    PuzzleInput input;
    input.divisor = division.divisorText;
    input.quotient = division.quotientText;
    const int n = static_cast<int>(division.dividendText.size());
    const int q = static_cast<int>(division.quotientText.size());
    input.bodyLines.push_back(division.dividendText);
    // Written lines top to bottom: P_0, then R_k and P_k of each nonzero digit k.
    auto placed = [&](const std::string& text, int k) {
        const int endColumn = n - 1 - (q - 1 - k);
        return std::string(static_cast<std::size_t>(endColumn + 1 - static_cast<int>(text.size())), ' ') + text;
    };
    input.bodyLines.push_back(placed(division.interior[0], 0));
    for (int k = 1; k < q; ++k) {
        const std::string& difference = division.interior[static_cast<std::size_t>(2 * k - 1)];
        const std::string& product = division.interior[static_cast<std::size_t>(2 * k)];
        if (product.empty()) continue;
        input.bodyLines.push_back(placed(difference, k));
        input.bodyLines.push_back(placed(product, k));
    }
    input.bodyLines.push_back(placed(division.remainderText, q - 1));
    if (division.condition >= 0) input.condition = std::string(1, static_cast<char>('0' + division.condition));
    return input;
}

namespace {

void setRow(WorkRow& row, const std::string& text) {
    std::memset(&row, 0, sizeof row);
    std::memcpy(row.text, text.data(), text.size());
    std::memcpy(row.raw, text.data(), text.size());
    row.length = static_cast<int32_t>(text.size());
    for (int j = 0; j < row.length; ++j) {
        const char c = text[static_cast<std::size_t>(j)];
        if (c >= '0' && c <= '9') {
            row.ranges[j] = DigitRange{c - '0', c - '0'};
        } else {
            row.ranges[j] = DigitRange{9, j == 0 ? 1 : 0};
        }
    }
}

}  // namespace

void toState(const HiddenDivision& division, PuzzleState& state) {
    WorkRecord& work = state.work;
    std::memset(&work, 0, sizeof work);
    setRow(work.rows[kDivisorRow], division.divisorText);
    setRow(work.rows[kQuotientRow], division.quotientText);
    setRow(work.rows[kDividendRow], division.dividendText);
    setRow(work.rows[kRemainderRow], division.remainderText);
    // A remainder of one cell may be 0.
    if (division.remainderText.size() == 1) work.rows[kRemainderRow].ranges[0].lo = 0;
    work.rows[kRemainderRow].value = division.remainder;
    for (std::size_t i = 0; i < division.interior.size(); ++i) {
        setRow(work.rows[kFirstInteriorRow + static_cast<int>(i)], division.interior[i]);
    }
    state.conditionDigit = division.condition;
    state.conditionChar = division.condition >= 0 ? static_cast<char>('0' + division.condition) : 0;
    resetLetters(state.letters);
}

std::string describe(const HiddenDivision& division) {
    std::string text = division.divisorText + " ) " + division.dividendText + " = " + division.quotientText;
    for (const std::string& row : division.interior) text += " | " + row;
    text += " | r " + division.remainderText;
    if (division.condition >= 0) text += " | no * is " + std::to_string(division.condition);
    text += "  (from " + toDecimal(division.divisor) + " x " + toDecimal(division.quotient) + ")";
    return text;
}

}  // namespace varnokit::testing
