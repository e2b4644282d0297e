// Telling UTF-8 problem files from cp932 ones, and measuring their lines
// as cp932 would hold them.
#include <cstdint>

#include "files/problem_file.h"

namespace varnokit {
namespace {

constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

// Decodes the well-formed UTF-8 sequence at `i` and advances past it; on a
// malformed one (overlong, surrogate, beyond U+10FFFF, cut short) returns
// kNotUtf8 and advances by one byte.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        ++i;
        return kNotUtf8;
    }
    if (i + length > text.size()) {
        ++i;
        return kNotUtf8;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kNotUtf8;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++i;
        return kNotUtf8;
    }
    i += length;
    return value;
}

bool isHalfWidthKatakana(char32_t c) { return c >= 0xFF61 && c <= 0xFF9F; }

// The blocks of the Basic Multilingual Plane that cp932 draws its
// characters from (symbols, Greek, Cyrillic, kana, kanji, the full-width
// forms, the user-defined area and the IBM extension kanji).
bool inCp932Repertoire(char32_t c) {
    struct Range { char32_t first, last; };
    static constexpr Range kRanges[] = {
        {0x00A7, 0x00A8}, {0x00B0, 0x00B1}, {0x00B4, 0x00B4}, {0x00B6, 0x00B6}, {0x00D7, 0x00D7},
        {0x00F7, 0x00F7}, {0x0391, 0x03C9}, {0x0401, 0x0401}, {0x0410, 0x044F}, {0x0451, 0x0451},
        {0x2010, 0x2312}, {0x2460, 0x2473}, {0x2500, 0x254B}, {0x25A0, 0x25EF}, {0x2605, 0x2606},
        {0x2640, 0x2642}, {0x266A, 0x266F}, {0x3000, 0x30FF}, {0x3230, 0x33CD}, {0x4E00, 0x9FFF},
        {0xE000, 0xE757}, {0xF929, 0xFA2D}, {0xFF01, 0xFFE5},
    };
    for (const Range& r : kRanges)
        if (c >= r.first && c <= r.last) return true;
    return false;
}

}  // namespace

std::size_t cp932Length(std::string_view line, TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932) return line.size();
    std::size_t length = 0;
    for (std::size_t i = 0; i < line.size();) {
        const char32_t c = nextCodePoint(line, i);
        length += (c < 0x80 || c == kNotUtf8 || isHalfWidthKatakana(c)) ? 1 : 2;
    }
    return length;
}

bool isWellFormedUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();)
        if (nextCodePoint(text, i) == kNotUtf8) return false;
    return true;
}

bool looksLikeUtf8(std::string_view line) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < line.size();) {
        const char32_t c = nextCodePoint(line, i);
        if (c == kNotUtf8) return false;
        if (c < 0x80) continue;
        beyondAscii = true;
        // Characters beyond the BMP (emoji) are never what cp932 bytes decode to.
        if (c <= 0xFFFF && !inCp932Repertoire(c)) return false;
    }
    return beyondAscii;
}

}  // namespace varnokit
