#include "encoding/problem_text.h"

#include <vector>

#include "encoding/cp932.h"

namespace varnokit {
namespace {

std::vector<std::string*> texts(ProblemBoxes& boxes) {
    std::vector<std::string*> all{&boxes.divisor, &boxes.quotient, &boxes.condition};
    for (std::string& line : boxes.notes) all.push_back(&line);
    for (std::string& line : boxes.body) all.push_back(&line);
    return all;
}

// The whole UTF-8 character at `offset`, or the single byte when none starts there.
std::string characterAt(const std::string& utf8, std::size_t offset) {
    std::size_t end = offset + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    return utf8.substr(offset, end - offset);
}

}  // namespace

BoxesConversion boxesToCp932(ProblemBoxes& boxes) {
    if (boxes.encoding == TextEncoding::Cp932) {
        std::string ignored;
        for (std::string* text : texts(boxes))
            if (!cp932ToUtf8(*text, ignored).ok) return {BoxesText::NotCp932, {}};
        return {};
    }
    ProblemBoxes converted = boxes;
    for (std::string* text : texts(converted)) {
        // iconv fails alike on malformed UTF-8 and on a character cp932
        // lacks; the user is told which of the two it was.
        if (!isWellFormedUtf8(*text)) return {BoxesText::NotUtf8, {}};
        std::string cp932;
        const ConversionResult r = utf8ToCp932(*text, cp932);
        if (!r.ok) return {BoxesText::Unmappable, characterAt(*text, r.badOffset)};
        *text = cp932;
    }
    converted.encoding = TextEncoding::Cp932;
    boxes = converted;
    return {BoxesText::FromUtf8, {}};
}

}  // namespace varnokit
