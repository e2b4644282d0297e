// Fuzzes the problem-file reader with arbitrary bytes. Beyond not crashing:
// a cp932 file that loads into a divisor, a quotient and a writable
// condition saves to bytes that load back into the same five boxes, and no
// line the reader keeps is longer than the format allows (in cp932 bytes).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/problem_file.h"

using namespace varnokit;

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

TextEncoding encoding = TextEncoding::Cp932;
bool fitsLimit(const std::string& line) { return cp932Length(line, encoding) <= kMaxProblemLineBytes; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProblemBoxes boxes;
    FileStatus status = parseProblemFile(bytes, boxes);
    encoding = boxes.encoding;
    require(status == FileStatus::Ok || status == FileStatus::LineTooLong ||
            status == FileStatus::ReadError);
    for (const std::string& line : boxes.notes) require(fitsLimit(line));
    for (const std::string& line : boxes.body) require(fitsLimit(line));
    require(fitsLimit(boxes.divisor) && fitsLimit(boxes.quotient));
    require(boxes.condition.size() <= 1);
    if (status != FileStatus::Ok) return 0;
    // UTF-8 boxes are converted to cp932 by the front ends before they are saved.
    if (boxes.encoding != TextEncoding::Cp932) return 0;

    // An empty divisor or quotient is saved as an empty line, which the
    // reader files under the notes: the format cannot carry it back.
    if (boxes.divisor.empty() || boxes.quotient.empty()) return 0;
    std::string saved;
    if (formatProblemFile(boxes, saved) != FileStatus::Ok) {
        int32_t value = 0;
        require(!conditionToInteger(boxes.condition, value));  // the only reason to refuse
        return 0;
    }
    ProblemBoxes reloaded;
    require(parseProblemFile(saved, reloaded) == FileStatus::Ok);
    // Saving puts the notes first: a notes line that reads as UTF-8 (which
    // well-formed cp932 text almost never does) may then decide otherwise.
    if (reloaded.encoding != boxes.encoding) return 0;
    require(reloaded.notes == boxes.notes);
    require(reloaded.divisor == boxes.divisor);
    require(reloaded.quotient == boxes.quotient);
    require(reloaded.body == boxes.body);
    require(reloaded.condition == boxes.condition);
    return 0;
}
