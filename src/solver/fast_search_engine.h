// The enumeration at the heart of the fast search: every divisor and
// quotient that passes the two-ended row test with all digits known, handed
// over block by block (blocks are the divisor's leading digits, ascending),
// each block sorted into the reference order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/numbers.h"
#include "solver/fast_search_puzzle.h"

namespace varnokit::fast {

// One divisor and quotient with every row matching its pattern.
struct Candidate {
    Int128 divisor;
    Int128 quotient;
    Int128 reversed;  // the quotient's digits in reverse order: the order key after the divisor
};

// Divisor ascending, then the quotient read from its last digit (the last
// digit varies slowest).
bool referenceOrder(const Candidate& a, const Candidate& b);

// What the enumeration tells its caller.
class CandidateSink {
public:
    virtual ~CandidateSink() = default;
    virtual void block(const std::vector<Candidate>& sorted) = 0;  // one block or part of one, in reference order
    virtual void progress() {}  // about a hundred times over the enumeration
    // Every few thousand nodes: a chance to stop by throwing. The candidates of
    // the unfinished block are dropped, so what was handed over is always the
    // start of the full list.
    virtual void poll() {}
};

struct EnumerationStats {
    uint64_t nodes = 0;   // partial assignments explored
    uint64_t blocks = 0;  // divisor prefixes searched
    uint64_t restarts = 0;  // attempts abandoned for another strategy
    uint64_t tableEntries = 0;  // entries of the right-end table, when one was finished
};

// Candidates found but not yet handed over stay below this many: a block
// with more is searched again in parts (about 24 MB of them at most).
constexpr std::size_t kDefaultHeldCandidates = std::size_t{1} << 19;

// Contract: hands `sink` every assignment that `consistent` accepts with all
// digits known, each exactly once, in reference order across all blocks,
// holding fewer than `heldCandidates` at a time (a block may come in parts).
EnumerationStats enumerateCandidates(const Puzzle& puzzle, CandidateSink& sink,
                                     std::size_t heldCandidates = kDefaultHeldCandidates);

}  // namespace varnokit::fast
