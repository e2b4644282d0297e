// The three passes of line normalisation: widen ASCII to its full-width
// form, narrow full-width digits, blank and asterisk back to ASCII, then
// replace every other double-byte character by its mask letter.
#include "model/normaliser.h"

#include <cstddef>

namespace varnokit {

namespace {

struct WideChar {
    unsigned char lead;
    unsigned char trail;
};

// Full-width cp932 form of each ASCII byte 0x20-0x7D. The ordinary
// full-width forms, except '"' -> ”, '\'' -> ’, '-' -> ー, '\\' -> ￥ and
// '`' -> ‘, so that a typed '-' shares its mask with a typed ー.
constexpr WideChar kFullWidth[0x7E - 0x20] = {
    {0x81, 0x40}, {0x81, 0x49}, {0x81, 0x68}, {0x81, 0x94}, {0x81, 0x90}, {0x81, 0x93}, {0x81, 0x95}, {0x81, 0x66},
    {0x81, 0x69}, {0x81, 0x6A}, {0x81, 0x96}, {0x81, 0x7B}, {0x81, 0x43}, {0x81, 0x5B}, {0x81, 0x44}, {0x81, 0x5E},
    {0x82, 0x4F}, {0x82, 0x50}, {0x82, 0x51}, {0x82, 0x52}, {0x82, 0x53}, {0x82, 0x54}, {0x82, 0x55}, {0x82, 0x56},
    {0x82, 0x57}, {0x82, 0x58}, {0x81, 0x46}, {0x81, 0x47}, {0x81, 0x83}, {0x81, 0x81}, {0x81, 0x84}, {0x81, 0x48},
    {0x81, 0x97}, {0x82, 0x60}, {0x82, 0x61}, {0x82, 0x62}, {0x82, 0x63}, {0x82, 0x64}, {0x82, 0x65}, {0x82, 0x66},
    {0x82, 0x67}, {0x82, 0x68}, {0x82, 0x69}, {0x82, 0x6A}, {0x82, 0x6B}, {0x82, 0x6C}, {0x82, 0x6D}, {0x82, 0x6E},
    {0x82, 0x6F}, {0x82, 0x70}, {0x82, 0x71}, {0x82, 0x72}, {0x82, 0x73}, {0x82, 0x74}, {0x82, 0x75}, {0x82, 0x76},
    {0x82, 0x77}, {0x82, 0x78}, {0x82, 0x79}, {0x81, 0x6D}, {0x81, 0x8F}, {0x81, 0x6E}, {0x81, 0x4F}, {0x81, 0x51},
    {0x81, 0x65}, {0x82, 0x81}, {0x82, 0x82}, {0x82, 0x83}, {0x82, 0x84}, {0x82, 0x85}, {0x82, 0x86}, {0x82, 0x87},
    {0x82, 0x88}, {0x82, 0x89}, {0x82, 0x8A}, {0x82, 0x8B}, {0x82, 0x8C}, {0x82, 0x8D}, {0x82, 0x8E}, {0x82, 0x8F},
    {0x82, 0x90}, {0x82, 0x91}, {0x82, 0x92}, {0x82, 0x93}, {0x82, 0x94}, {0x82, 0x95}, {0x82, 0x96}, {0x82, 0x97},
    {0x82, 0x98}, {0x82, 0x99}, {0x82, 0x9A}, {0x81, 0x6F}, {0x81, 0x62}, {0x81, 0x70},
};

constexpr WideChar kIdeographicSpace = {0x81, 0x40};
constexpr WideChar kFullWidthAsterisk = {0x81, 0x96};
constexpr unsigned char kFullWidthDigitLead = 0x82;
constexpr unsigned char kFullWidthZeroTrail = 0x4F;
constexpr unsigned char kStrayLeadByte = 0x7F;

unsigned char byteAt(const std::string& text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// A lead byte at the end of the line or before a byte that cannot follow it
// stands alone, so no pass reads past the line.
std::size_t charLength(const std::string& text, std::size_t i) {
    if (isLeadByte(byteAt(text, i)) && i + 1 < text.size() && isTrailByte(byteAt(text, i + 1))) return 2;
    return 1;
}

std::string widen(const std::string& line) {
    std::string out;
    out.reserve(2 * line.size() + 1);
    for (std::size_t i = 0; i < line.size();) {
        std::size_t len = charLength(line, i);
        unsigned char b = byteAt(line, i);
        if (len == 1 && b >= 0x20 && b <= 0x7D) {
            const WideChar& w = kFullWidth[b - 0x20];
            out += static_cast<char>(w.lead);
            out += static_cast<char>(w.trail);
        } else if (len == 1 && isLeadByte(b)) {
            // A stray lead byte would pair with the widened byte after it in
            // the next pass; it becomes a byte that never pairs and that the
            // parser rejects.
            out += static_cast<char>(kStrayLeadByte);
        } else {
            out.append(line, i, len);
        }
        i += len;
    }
    return out;
}

std::string narrowDigits(const std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        std::size_t len = charLength(line, i);
        if (len == 2) {
            unsigned char lead = byteAt(line, i);
            unsigned char trail = byteAt(line, i + 1);
            if (lead == kFullWidthDigitLead && trail >= kFullWidthZeroTrail && trail <= kFullWidthZeroTrail + 9) {
                out += static_cast<char>('0' + (trail - kFullWidthZeroTrail));
            } else if (lead == kIdeographicSpace.lead && trail == kIdeographicSpace.trail) {
                out += ' ';
            } else if (lead == kFullWidthAsterisk.lead && trail == kFullWidthAsterisk.trail) {
                out += '*';
            } else {
                out.append(line, i, 2);
            }
        } else {
            out += line[i];
        }
        i += len;
    }
    return out;
}

// Letter of the mask entry holding (lead, trail), binding the first free
// entry if none does; 0 when all ten entries are taken by other characters.
char maskLetter(PuzzleState& state, char lead, char trail) {
    for (int i = 0;; ++i) {
        MaskEntry& entry = state.masks.entries[i];
        if (entry.bytes[0] == 0) return 0;  // end marker
        if (entry.bytes[0] == lead && entry.bytes[1] == trail) return entry.letter;
        if (entry.bytes[0] == ' ') {
            entry.bytes[0] = lead;
            entry.bytes[1] = trail;
            state.maskCount = i + 1;
            return entry.letter;
        }
    }
}

bool mask(PuzzleState& state, std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        std::size_t len = charLength(line, i);
        if (len == 2) {
            char letter = maskLetter(state, line[i], line[i + 1]);
            if (letter == 0) return false;
            out += letter;
        } else {
            out += line[i];
        }
        i += len;
    }
    line = out;
    return true;
}

}  // namespace

bool isLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

bool isTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }


std::string rightTrimLine(const std::string& line) {
    // Character boundaries from the left: a trailing 0x81 0x40 may be the
    // second half of one character and the next byte.
    std::size_t keepEnd = 0;  // end of the last character that is not blank
    for (std::size_t i = 0; i < line.size();) {
        std::size_t len = cp932CharLength(line, i);
        unsigned char b = byteAt(line, i);
        bool blank = (len == 1 && b <= 0x20) ||
                     (len == 2 && b == kIdeographicSpace.lead && byteAt(line, i + 1) == kIdeographicSpace.trail);
        i += len;
        if (!blank) keepEnd = i;
    }
    return line.substr(0, keepEnd);
}

std::string trimLine(const std::string& line) {
    std::size_t start = 0;
    while (start < line.size()) {
        if (byteAt(line, start) <= 0x20) {
            ++start;
        } else if (start + 1 < line.size() && byteAt(line, start) == kIdeographicSpace.lead &&
                   byteAt(line, start + 1) == kIdeographicSpace.trail) {
            start += 2;
        } else {
            break;
        }
    }
    return rightTrimLine(line.substr(start));
}

std::size_t cp932CharLength(const std::string& text, std::size_t i) { return charLength(text, i); }

bool normaliseLine(PuzzleState& state, std::string& line, bool& resetMasks) {
    if (resetMasks) {
        resetMaskTable(state.masks);
        state.maskCount = 0;
        resetMasks = false;
    }
    std::string text = narrowDigits(widen(line));
    if (!mask(state, text)) return false;
    line = text;
    return true;
}

}  // namespace varnokit
