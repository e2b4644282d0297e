// Fuzzes the normaliser, the parser, the checks and the deductions with
// arbitrary box texts. The input is split at 0x00 bytes into divisor,
// quotient, condition and body; the body at LF into lines. Properties: a
// puzzle that passes every check leaves rows within their capacities, of
// the documented shape, holding only digits, '*' and mask letters.
#include <cstdint>
#include <cstring>

#include "fuzz_input.h"
#include "model/parser.h"

using namespace varnokit;

namespace {

using fuzzing::splitInput;

void require(bool condition) { fuzzing::require(condition, "parsed puzzle within its shape"); }

bool isCell(char c) { return (c >= '0' && c <= '9') || c == '*' || (c >= 'A' && c <= 'J'); }

void checkRow(const WorkRow& row) {
    require(row.length >= 0 && row.length < kTextCapacity);
    require(std::strlen(row.text) == static_cast<size_t>(row.length));
    require(std::strlen(row.raw) < kRawCapacity);
    for (int j = 0; j < row.length; ++j) require(isCell(row.text[j]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PuzzleState state;
    PuzzleInput input = splitInput(data, size);
    if (parse(state, input) != ParseStatus::Ok) return 0;
    require(state.pending.empty());
    lengthChecks(state);
    if (!state.pending.empty()) return 0;
    layoutChecks(state);
    if (!state.pending.empty()) return 0;
    if (relayout(state) != 0 || !state.pending.empty()) return 0;
    prededuce(state);
    if (!state.pending.empty()) return 0;

    const WorkRecord& work = state.work;
    const int s = work.rows[kDivisorRow].length;
    const int q = work.rows[kQuotientRow].length;
    const int n = work.rows[kDividendRow].length;
    require(s >= 1 && s <= kMaxDivisorDigits && q >= 1 && q <= kMaxQuotientDigits);
    require(n == s + q || n == s + q - 1);
    require(state.maskCount >= 0 && state.maskCount <= kMaskLetters);
    require(state.conditionDigit >= -1 && state.conditionDigit <= 9);
    for (int row = 0; row < 3 + 2 * q; ++row) checkRow(work.rows[row]);
    for (int k = 0; k < q; ++k) {
        const WorkRow& product = work.rows[partialProductRow(k)];
        // A partial product has s or s + 1 digits, or none for a zero digit.
        require(product.length == 0 || product.length == s || product.length == s + 1);
        if (k > 0) require((product.length == 0) == (work.rows[differenceRow(k)].length == 0));
    }
    require(work.rows[partialProductRow(0)].length > 0);
    // The remainder holds cells only: digits, '*' or letters.
    for (int j = 0; j < work.rows[kRemainderRow].length; ++j) {
        char c = work.rows[kRemainderRow].text[j];
        require((c >= '0' && c <= '9') || c == '*' || (c >= 'A' && c < 'A' + kMaskLetters));
    }
    require(work.rows[kRemainderRow].length > 0);
    for (int i = 0; i < kMaskLetters; ++i) {
        int digit = state.letters.letter[i];
        require(digit == -1 || (digit >= 0 && digit <= 9 && state.letters.taken[digit] == 1));
    }
    return 0;
}
