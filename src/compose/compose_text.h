// What the composing commands write to the result log (cp932 lines), the
// same in the window and on the command line.
#pragma once

#include <string>
#include <vector>

#include "compose/generate.h"
#include "compose/minimise.h"
#include "compose/repair.h"

namespace varnokit::compose {

// "被除数の左から3桁目", "部分積2行目の左から1桁目".
std::string cellName(const Draft& draft, int cell);
// "  被除数の左から3桁目: 7", or for a mask "  覆面「ア」: 3".
std::string revealLine(const Draft& draft, const Reveal& reveal);

// Hidden and masked cells as a share of all cells, in whole percent rounded down.
int hiddenPercent(const Draft& draft);

// After Minimise: the summary, or why nothing was hidden. `pending` holds
// the checks' messages of a refused puzzle.
std::vector<std::string> minimiseLines(const MinimiseResult& result, const std::string& pending);
// After Generate.
std::vector<std::string> generateLines(const GenerateResult& result, const GenerateOptions& options);
// After Repair.
std::vector<std::string> repairLines(const RepairResult& result, const std::string& pending);

// The notes line of a generated puzzle: "作問（種 42、除数6桁、商6桁）".
std::string generatedNote(const GenerateOptions& options);

}  // namespace varnokit::compose
