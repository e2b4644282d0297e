// Shared by the fuzz targets: arbitrary bytes turned into the four input
// boxes (split at 0x00 into divisor, quotient, condition and body, the body
// at LF into lines), and a property check that stops the run when it fails.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/puzzle_input.h"

namespace varnokit::fuzzing {

// Aborts (a finding) with the property that failed.
inline void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

inline PuzzleInput splitInput(const uint8_t* data, size_t size) {
    std::string fields[4];
    int field = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && field < 3) {
            ++field;
            continue;
        }
        fields[field] += static_cast<char>(data[i]);
    }
    PuzzleInput input;
    input.divisor = fields[0];
    input.quotient = fields[1];
    input.condition = fields[2];
    std::string line;
    for (char c : fields[3]) {
        if (c == '\n') {
            input.bodyLines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty() || !fields[3].empty()) input.bodyLines.push_back(line);
    return input;
}

}  // namespace varnokit::fuzzing
