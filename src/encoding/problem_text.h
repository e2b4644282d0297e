// A problem file's boxes brought to the cp932 the core works in: cp932
// files as they are, UTF-8 files converted. The front ends say what went
// wrong in their own words.
#pragma once

#include <string>

#include "files/problem_file.h"

namespace varnokit {

enum class BoxesText {
    Cp932,         // a cp932 file: nothing to do
    FromUtf8,      // a UTF-8 file, converted
    NotCp932,      // a cp932 file holding bytes that are not cp932 (left as they are)
    NotUtf8,       // a UTF-8 file holding bytes that are not UTF-8: the boxes are unchanged
    Unmappable,    // a UTF-8 file holding a character cp932 lacks: the boxes are unchanged
};

struct BoxesConversion {
    BoxesText result = BoxesText::Cp932;
    std::string badCharacter;  // UTF-8, for Unmappable
};

// Converts UTF-8 boxes to cp932 (all or nothing) and sets their encoding
// to cp932; checks cp932 boxes. Neither NotCp932 nor NotUtf8 files are
// text in either encoding.
BoxesConversion boxesToCp932(ProblemBoxes& boxes);

}  // namespace varnokit
