// The result report: the puzzle as typed drawn as a long division, the
// notes, the condition, the result log and every stored solution drawn with
// its subtraction bars, then a trailer. cp932 text with CR LF line ends.
#pragma once

#include <string>
#include <vector>

#include "files/problem_file.h"
#include "model/puzzle_state.h"

namespace varnokit {

enum class ReportMode { Append, Overwrite };  // "追加", "上書"

extern const char* const kVersionText;  // "0.5"

// The report's bytes for the last Solve held in `state`, with the notes box
// and the result log as they stand now (cp932 lines).
std::string formatReport(const PuzzleState& state, const std::vector<std::string>& notes,
                         const std::vector<std::string>& log);

// Appends the report to `path` or replaces the file with it. Write errors
// (a full disk) are reported as WriteError, never lost silently, and leave
// the file as it was: a failed append is cut back, and a regular file is
// replaced only by a complete report.
FileStatus writeReport(const std::string& path, ReportMode mode, const PuzzleState& state,
                       const std::vector<std::string>& notes, const std::vector<std::string>& log);

}  // namespace varnokit
