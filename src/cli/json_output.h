// The JSON form of one solved puzzle, for scripts: status, result log,
// solution count and every solution with its numbers as decimal strings.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/puzzle_state.h"

namespace varnokit::cli {

// A JSON string literal (quotes included) for UTF-8 text.
std::string jsonString(const std::string& utf8);

// One line: {"file": …, "status": "ok"|"rejected"|"aborted"|"limited", "log": [lines],
// "count": N, "solutions": [{"divisor", "quotient", "dividend", "remainder",
// "rows": [the written middle lines, top to bottom], and for a puzzle with
// masks "masks": {"ア": "3", …}}]}. `log` is cp932.
// Written solution by solution, so a million solutions never sit in memory
// as text; a failing stream ends the writing. Without stored solutions
// (--count) there is no "solutions"; with `digest` "digest" (the solution
// list's digest) stands in its place. With a `reportError` (UTF-8) the
// status is "error", "message" tells why and "search" holds the status.
void writeSolveJson(std::ostream& out, const std::string& file, const std::string& status,
                    const std::vector<std::string>& log, const PuzzleState& state,
                    const std::string& reportError = {}, bool digest = false);
std::string solveJson(const std::string& file, const std::string& status,
                      const std::vector<std::string>& log, const PuzzleState& state,
                      const std::string& reportError = {});

// One line for a file that could not be read: {"file", "status": "error", "message"}.
std::string errorJson(const std::string& file, const std::string& utf8Message);

}  // namespace varnokit::cli
