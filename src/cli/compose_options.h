// The command lines of the composer's commands: compose (a new puzzle),
// minimise (hide while unique) and repair (the fewest digits to reveal).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compose/generate.h"
#include "compose/minimise.h"
#include "compose/repair.h"
#include "solver/solve.h"

namespace varnokit::cli {

enum class ComposeCommand { Compose, Minimise, Repair };

// What Minimise does with the puzzle's condition.
struct ConditionChoice {
    enum class Kind { Keep, Drop, Set } kind = Kind::Keep;
    int digit = -1;  // Set
};

struct ComposeCliOptions {
    ComposeCommand command = ComposeCommand::Compose;
    bool json = false;
    double timeoutSeconds = 0;      // stop the whole command after this long; 0 = never
    SearchEngine engine = SearchEngine::Fast;
    std::string outPath;            // write the puzzle here (cp932, CR LF), replacing the file
    std::optional<uint64_t> seed;   // unset: from the clock, and printed
    bool hideRemainder = false;     // compose, minimise: the remainder's digits may be hidden too

    // compose
    compose::GenerateOptions generate;
    // minimise
    std::string file;               // the puzzle ("-" standard input), or empty with --divisor/--dividend
    int64_t divisor = 0;            // with dividendDigits: a division given as numbers
    std::string dividendDigits;
    std::vector<std::string> keep;  // cells that stay shown, see markKeptCells
    compose::HideOrder order = compose::HideOrder::Random;
    std::optional<compose::MaskStyle> masks;
    ConditionChoice condition;
    // repair
    int64_t solution = 1;           // 1-based, in the order found
    double timeLimit = 10;          // for the smallest hitting set
};

struct ParsedComposeArguments {
    bool ok = false;
    bool help = false;  // --help among the options
    ComposeCliOptions options;
    std::string error;  // UTF-8, when !ok
};

// True for the commands this parser handles.
bool isComposeCommand(const std::string& name);
ParsedComposeArguments parseComposeArguments(const std::vector<std::string>& args);

// The part of --help about these commands (UTF-8).
std::string composeHelpText();

}  // namespace varnokit::cli
