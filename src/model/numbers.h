// Exact integer arithmetic for the numbers of a division. A divisor and a
// quotient have at most 14 digits each, so a dividend has at most 28 and a
// partial product at most 15; 128-bit integers hold all of them exactly.
#pragma once

#include <cstdint>
#include <string>

namespace varnokit {

__extension__ typedef __int128 Int128;  // signed, exact up to about 1.7e38

// --- Powers of ten ---
constexpr int kPowerCount = 31;  // 10^0 … 10^30

struct PowersOfTen {
    Int128 value[kPowerCount];
    constexpr PowersOfTen() : value{} {
        value[0] = 1;
        for (int i = 1; i < kPowerCount; ++i) value[i] = value[i - 1] * 10;
    }
};
inline constexpr PowersOfTen kPowersOfTen{};

// 10^e for 0 <= e < kPowerCount.
constexpr Int128 pow10(int e) { return kPowersOfTen.value[e]; }

// 10^e in the number type a search works in: 64-bit unsigned where every
// value of the puzzle fits (0 <= e <= 19), Int128 otherwise.
template <typename Number>
constexpr Number tenTo(int e) {
    if constexpr (sizeof(Number) == sizeof(Int128)) {
        return pow10(e);
    } else {
        return static_cast<Number>(pow10(e));
    }
}

// --- Decimal digits ---
// Tens and ones of 0 … 99: digits are taken two at a time, which halves the
// chain of dependent divisions (the searches take rows apart in their
// innermost loops).
struct DigitPairs {
    int8_t tens[100];
    int8_t ones[100];
    constexpr DigitPairs() : tens{}, ones{} {
        for (int i = 0; i < 100; ++i) {
            tens[i] = static_cast<int8_t>(i / 10);
            ones[i] = static_cast<int8_t>(i % 10);
        }
    }
};
inline constexpr DigitPairs kDigitPairs{};

// The one routine that takes numbers apart into digits: the `length`
// lowest decimal digits of a non-negative value, most significant first,
// leading zeros included (0 <= length <= 38). The 64-bit form is inline:
// the searches call it in their innermost loops, often for one digit.
inline void decimalDigits(uint64_t value, int length, int8_t* out) {
    int i = length - 1;
    for (; i >= 1; i -= 2) {
        const auto pair = static_cast<unsigned>(value % 100);
        value /= 100;
        out[i] = kDigitPairs.ones[pair];
        out[i - 1] = kDigitPairs.tens[pair];
    }
    if (i == 0) out[0] = static_cast<int8_t>(value % 10);
}
void decimalDigits(Int128 value, int length, int8_t* out);

// --- Decimal text ---
// Plain decimal form: no grouping, a minus sign only for negative values.
std::string toDecimal(Int128 value);

// Number of decimal digits of a non-negative value (1 for 0).
int decimalLength(Int128 value);
int decimalLength(uint64_t value);

// Parses an optional sign and 1..38 decimal digits, nothing else. Returns
// false (leaving `out` alone) on any other text or on overflow.
bool parseDecimal(const std::string& text, Int128& out);

}  // namespace varnokit
