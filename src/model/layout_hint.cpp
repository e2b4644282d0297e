#include "model/layout_hint.h"

#include "model/normaliser.h"

namespace varnokit {
namespace {

bool holdsFullWidthCharacter(const std::string& line) {
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length = cp932CharLength(line, i);
        const bool fullWidthBlank = length == 2 && static_cast<unsigned char>(line[i]) == 0x81 &&
                                    static_cast<unsigned char>(line[i + 1]) == 0x40;
        if (length == 2 && !fullWidthBlank) return true;
        i += length;
    }
    return false;
}

}  // namespace

bool mixesFullWidthWithHalfWidthBlanks(const PuzzleInput& input) {
    bool fullWidth = holdsFullWidthCharacter(input.quotient);
    bool halfWidthBlank = false;
    for (std::size_t k = 0; k < input.bodyLines.size(); ++k) {
        const std::string& line = input.bodyLines[k];
        fullWidth = fullWidth || holdsFullWidthCharacter(line);
        halfWidthBlank = halfWidthBlank || (k > 0 && !line.empty() && line[0] == ' ');
    }
    return fullWidth && halfWidthBlank;
}

}  // namespace varnokit
