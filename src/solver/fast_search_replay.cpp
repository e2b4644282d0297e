// The reference search's path for one known divisor and quotient, step by
// step, so that the fast search accepts exactly what the reference accepts.
#include "solver/fast_search_replay.h"

#include <cassert>

#include "solver/fast_search_check.h"

namespace varnokit::fast {

namespace {

bool isLetter(char c) { return c >= 'A' && c < 'A' + kMaskLetters; }

// An unbound letter may take digit d here (free, and not the condition when
// the layout matched the letter with a '*').
bool letterMayTake(const SearchContext& context, const LetterBindings& letters, int letter, int d) {
    if (letters.taken[d] == 1) return false;
    return !(context.letterAvoidsCondition[letter] && d == context.state.conditionDigit);
}

void bind(LetterBindings& letters, int letter, int d) {
    letters.letter[letter] = d;
    letters.taken[d] = 1;
}

// The divisor phase: each digit as the reference would choose it.
bool divisorPath(SearchContext& context, LetterBindings& letters, const int8_t* digits) {
    const WorkRow& row = context.state.work.rows[kDivisorRow];
    const int condition = context.state.conditionDigit;
    for (int p = 0; p < row.length; ++p) {
        const char c = row.text[p];
        const int v = digits[p];
        const DigitRange& range = row.ranges[p];
        if (c >= '0' && c <= '9') {
            if (v != c - '0') return false;
        } else if (c == '*') {
            if (v < range.lo || v > range.hi || v == condition) return false;
        } else {
            assert(isLetter(c));
            const int letter = c - 'A';
            if (letters.letter[letter] >= 0) {
                if (letters.letter[letter] != v) return false;
            } else {
                if (v < range.lo || v > range.hi || !letterMayTake(context, letters, letter, v)) return false;
                bind(letters, letter, v);
            }
        }
    }
    return true;
}

// The candidate bounds of a '*' quotient cell whose partial product is written.
bool starCandidate(const SearchContext& context, int k, Int128 divisor, int v) {
    const WorkRecord& work = context.state.work;
    const WorkRow& product = work.rows[partialProductRow(k)];
    const DigitRange& own = work.rows[kQuotientRow].ranges[k];
    const int s = work.rows[kDivisorRow].length;
    const int length = product.length;
    Int128 low, high;
    if (length > s) {
        low = product.ranges[0].lo * pow10(length - 1) / divisor;
        high = 9;
    } else {
        low = 1;
        high = ((product.ranges[0].hi + 1) * pow10(length - 1) - 1) / divisor;
    }
    if (high > own.hi) high = own.hi;
    if (low < own.lo) low = own.lo;
    if (low < 1) low = 1;
    return v >= low && v <= high && v != context.state.conditionDigit;
}

}  // namespace

bool replayReferencePath(SearchContext& context, Int128 divisor, Int128 quotient) {
    const WorkRecord& work = context.state.work;
    LetterBindings& letters = context.state.letters;
    const int s = work.rows[kDivisorRow].length;
    const int q = work.rows[kQuotientRow].length;
    if (divisor < pow10(s - 1) || divisor >= pow10(s) || quotient < 0 || quotient >= pow10(q)) return false;

    int8_t divisorDigits[kMaxDivisorDigits];
    int8_t quotientDigits[kMaxQuotientDigits];
    decimalDigits(divisor, s, divisorDigits);
    decimalDigits(quotient, q, quotientDigits);
    if (!divisorPath(context, letters, divisorDigits)) return false;

    const WorkRow& quotientRow = work.rows[kQuotientRow];
    const int condition = context.state.conditionDigit;
    Int128 carried = work.rows[kRemainderRow].value;
    for (int k = q - 1; k >= 0; --k) {
        const char c = quotientRow.text[k];
        const int v = quotientDigits[k];
        const WorkRow& product = work.rows[partialProductRow(k)];
        const bool written = product.length > 0;
        const int letter = isLetter(c) ? c - 'A' : -1;
        const int bound = letter >= 0 ? letters.letter[letter] : -1;

        bool zeroStep;
        if (c == '0' || bound == 0) {
            zeroStep = true;
        } else if ((c >= '1' && c <= '9') || bound > 0) {
            if (v != (bound > 0 ? bound : c - '0')) return false;
            zeroStep = false;
        } else if (c == '*') {
            if (!written) {
                if (condition == 0) return false;
                zeroStep = true;
            } else {
                if (!starCandidate(context, k, divisor, v)) return false;
                zeroStep = false;
            }
        } else if (!written) {
            // An unbound letter where no line is written stands for 0, if it may.
            if (!letterMayTake(context, letters, letter, 0)) return false;
            bind(letters, letter, 0);
            zeroStep = true;
        } else {
            // An unbound letter: tried from 1 within its range.
            const DigitRange& range = quotientRow.ranges[k];
            const int lo = range.lo < 1 ? 1 : range.lo;
            if (v < lo || v > range.hi || !letterMayTake(context, letters, letter, v)) return false;
            bind(letters, letter, v);
            zeroStep = false;
        }

        if (zeroStep) {
            // A zero digit has no lines; one written at a zero digit is no solution.
            if (v != 0 || written || k == 0) return false;
            carried /= 10;
            continue;
        }
        if (!written || v == 0) return false;
        const Int128 p = divisor * v;
        if (matchRow(context, p, product) != 0) return false;
        if (k == 0) break;
        const Int128 r = p + carried;
        if (matchRow(context, r, work.rows[differenceRow(k)]) != 0) return false;
        carried = r / 10;
    }
    return true;
}

}  // namespace varnokit::fast
