// Rewrites one typed cp932 line into the parser's small alphabet: digits,
// blanks, '*' and the mask letters 'A'-'J'. Every distinct masking character
// of a puzzle gets one letter, in order of first appearance.
#pragma once

#include <cstddef>
#include <string>

#include "model/puzzle_state.h"

namespace varnokit {

// Normalises one cp932 line in place; false on an eleventh distinct mask.
// When resetMasks is set on entry, the mask table and the mask count are
// reset first and the flag is cleared, so only the first line of a parse
// resets them. Bytes that are neither ASCII 0x20-0x7D nor part of a
// double-byte character (control bytes, '~', half-width katakana) come out
// as themselves, one byte each; a lead byte without a valid trail byte comes
// out as 0x7F. The parser rejects all of them.
bool normaliseLine(PuzzleState& state, std::string& line, bool& resetMasks);

// True for a cp932 lead byte (0x81-0x9F, 0xE0-0xFC).
bool isLeadByte(unsigned char byte);
// True for a byte that may follow a lead byte (0x40-0x7E, 0x80-0xFC).
bool isTrailByte(unsigned char byte);
// Bytes of the character starting at i (< text.size()): 2 for a lead byte
// followed by a trail byte, else 1; never reaches past the text.
std::size_t cp932CharLength(const std::string& text, std::size_t i);

// --- Trimming typed lines ---
// Repeatedly drops bytes 0x00-0x20 and one ideographic space at the right
// end, never splitting a double-byte character.
std::string rightTrimLine(const std::string& line);
// The same at the left end first, then rightTrimLine.
std::string trimLine(const std::string& line);

}  // namespace varnokit
