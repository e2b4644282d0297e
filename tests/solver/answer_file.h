// Test support: the known answers beside a bundled puzzle (NAME.json): the
// count and, per solution, its numbers as decimal strings.
#pragma once

#include <string>
#include <vector>

namespace varnokit::testing {

struct KnownSolution {
    std::string divisor;
    std::string quotient;
    std::string dividend;
    std::string remainder;
    std::vector<std::string> rows;  // written lines below the dividend, top to bottom
    bool operator==(const KnownSolution&) const = default;
};

struct KnownAnswers {
    int count = -1;
    std::vector<KnownSolution> solutions;
};

// Reads the answer file's small, fixed JSON shape; false if it does not fit.
bool readKnownAnswers(const std::string& path, KnownAnswers& answers);

}  // namespace varnokit::testing
