// The processor clock text of the timing line: the rate of the time-stamp
// counter over one second, or "クロック測定不能" where there is none.
#pragma once

#include <cstdint>
#include <string>

namespace varnokit {

// Measures for about one second (sleeping) and returns "%d MHz" (cp932).
std::string clockDescription();

// --- Pieces, for tests ---
// Cycles between two counter readings, from their low 32 bits only (one
// wrap-around of the low word still gives the right difference).
uint32_t lowWordCycles(uint64_t before, uint64_t after);
// "%d MHz" for a cycle count over one second, truncating.
std::string clockTextForCycles(uint32_t cycles);

}  // namespace varnokit
