// Decimal digits and text of 64- and 128-bit values.
#include "model/numbers.h"

#include <cassert>

namespace varnokit {
namespace {

constexpr uint64_t kTenToEighteen = 1000000000000000000ULL;

}  // namespace

void decimalDigits(Int128 value, int length, int8_t* out) {
    assert(value >= 0 && length >= 0 && length <= 38);
    // Split at 10^18 so that the digit loops run on 64-bit halves.
    if (length <= 18) {
        decimalDigits(static_cast<uint64_t>(value % static_cast<Int128>(kTenToEighteen)), length, out);
        return;
    }
    const Int128 high = value / static_cast<Int128>(kTenToEighteen);
    decimalDigits(high, length - 18, out);
    decimalDigits(static_cast<uint64_t>(value - high * static_cast<Int128>(kTenToEighteen)), 18,
                  out + (length - 18));
}

std::string toDecimal(Int128 value) {
    if (value < 0) {
        // Split off the last digit first: the most negative value has no
        // positive counterpart, a tenth of it has.
        const Int128 tens = -(value / 10);
        const char last = static_cast<char>('0' - static_cast<int>(value % 10));
        return "-" + (tens != 0 ? toDecimal(tens) : std::string()) + last;
    }
    int8_t digits[40];
    const int length = decimalLength(value);
    decimalDigits(value, length, digits);
    std::string text(static_cast<std::size_t>(length), '0');
    for (int i = 0; i < length; ++i) text[static_cast<std::size_t>(i)] = static_cast<char>('0' + digits[i]);
    return text;
}

int decimalLength(Int128 value) {
    int length = 1;
    while (value >= 10) {
        value /= 10;
        ++length;
    }
    return length;
}

int decimalLength(uint64_t value) {
    int length = 1;
    while (length < 20 && value >= static_cast<uint64_t>(pow10(length))) ++length;
    return length;
}

bool parseDecimal(const std::string& text, Int128& out) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size() || text.size() - i > 38) return false;
    Int128 v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = negative ? -v : v;
    return true;
}

}  // namespace varnokit
