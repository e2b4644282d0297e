// Decimal conversions for 128-bit values.
#include "model/numbers.h"

namespace varnokit {

std::string toDecimal(Int128 value) {
    if (value == 0) return "0";
    bool negative = value < 0;
    // Work on the negative side so the most negative value needs no special case.
    Int128 v = negative ? value : -value;
    char buffer[48];
    int pos = 47;
    buffer[pos] = '\0';
    while (v != 0) {
        buffer[--pos] = static_cast<char>('0' - static_cast<int>(v % 10));
        v /= 10;
    }
    if (negative) buffer[--pos] = '-';
    return std::string(buffer + pos);
}

int decimalLength(Int128 value) {
    int length = 1;
    while (value >= 10) {
        value /= 10;
        ++length;
    }
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
