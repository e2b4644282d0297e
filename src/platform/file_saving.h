// Saving problem files and result reports to disk through OutputFile: the
// old file stays whole until the new content is complete, whatever stops
// the program part-way, and every write error is reported.
#pragma once

#include <string>
#include <vector>

#include "files/problem_file.h"
#include "files/report.h"

namespace varnokit {

// Writes the problem file completely or not at all. With BadCondition or
// WouldNotLoadBack nothing is opened or written.
FileStatus writeProblemFile(const std::string& path, const ProblemBoxes& boxes);

// Appends the report to `path` or replaces the file with it, line by line
// as the report is made. On failure (a full disk, a FIFO whose reader left)
// a regular file keeps its old content: the old report and nothing of the
// new one.
FileStatus writeReport(const std::string& path, ReportMode mode, const PuzzleState& state,
                       const std::vector<std::string>& notes, const std::vector<std::string>& log);

}  // namespace varnokit
