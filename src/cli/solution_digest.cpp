// The solution-list digest: FNV-1a, 64 bits.
#include "cli/solution_digest.h"

#include <cstdint>
#include <cstdio>

#include "model/numbers.h"

namespace varnokit::cli {
namespace {

constexpr uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr uint64_t kFnvPrime = 1099511628211ULL;

void mix(uint64_t& hash, const std::string& text) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kFnvPrime;
    }
}

}  // namespace

std::string solutionDigest(const SolutionList& solutions) {
    uint64_t hash = kFnvOffset;
    for (int64_t i = 0; i < solutions.count(); ++i) {
        const StoredSolution& s = solutions.at(i);
        // A hidden remainder differs from solution to solution: it is part of each line then.
        std::string line = toDecimal(s.divisor);
        line += ' ';
        line += toDecimal(s.quotient);
        if (solutions.keepsRemainders()) {
            line += ' ';
            line += toDecimal(solutions.remainder(i));
        }
        line += '\n';
        mix(hash, line);
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

}  // namespace varnokit::cli
