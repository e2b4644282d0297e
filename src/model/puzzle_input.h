// The texts of the input boxes, as the parser reads them: cp932 bytes, one
// string per line, no line ends.
#pragma once

#include <string>
#include <vector>

namespace varnokit {

struct PuzzleInput {
    std::string divisor;                 // the divisor box (one line)
    std::string quotient;                // the quotient box (one line)
    std::vector<std::string> bodyLines;  // the body box: dividend first, remainder last
    std::string condition;               // the condition box, as typed
};

}  // namespace varnokit
