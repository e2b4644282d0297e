// The result report: the puzzle as typed drawn as a long division, the
// notes, the condition, the result log and every stored solution drawn with
// its subtraction bars, then a trailer. cp932 text with CR LF line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/puzzle_state.h"

namespace varnokit {

enum class ReportMode { Append, Overwrite };  // "追加", "上書"

extern const char* const kVersionText;  // "0.5"

// Takes the report one line at a time (cp932, without its line end). A
// report of millions of solutions is never held whole: each line goes on
// to its file as soon as it is made.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    // False when the line could not be taken (a write failed): the report stops.
    virtual bool line(std::string_view text) = 0;
};

// Writes the report of the last Solve held in `state`, with the notes box
// and the result log as they stand now (cp932 lines), into `sink`. False
// when the sink refused a line.
bool writeReportLines(ReportSink& sink, const PuzzleState& state, const std::vector<std::string>& notes,
                      const std::vector<std::string>& log);

// The whole report as bytes with CR LF line ends (for small reports and tests).
std::string formatReport(const PuzzleState& state, const std::vector<std::string>& notes,
                         const std::vector<std::string>& log);

}  // namespace varnokit
