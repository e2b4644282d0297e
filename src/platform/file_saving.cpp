// Problem files and reports written through OutputFile.
#include "platform/file_saving.h"

#include "platform/output_file.h"

namespace varnokit {
namespace {

// Report lines into the file, each ended by CR LF.
class FileSink : public ReportSink {
public:
    explicit FileSink(OutputFile& file) : file_(file) {}
    bool line(std::string_view text) override { return file_.write(text) && file_.write("\r\n"); }

private:
    OutputFile& file_;
};

}  // namespace

FileStatus writeProblemFile(const std::string& path, const ProblemBoxes& boxes) {
    std::string bytes;
    const FileStatus formatted = formatProblemFile(boxes, bytes);
    if (formatted != FileStatus::Ok) return formatted;
    OutputFile file;
    const FileStatus opened = file.open(path, OutputFile::Mode::Replace);
    if (opened != FileStatus::Ok) return opened;
    file.write(bytes);
    return file.commit();
}

FileStatus writeReport(const std::string& path, ReportMode mode, const PuzzleState& state,
                       const std::vector<std::string>& notes, const std::vector<std::string>& log) {
    OutputFile file;
    const FileStatus opened =
        file.open(path, mode == ReportMode::Append ? OutputFile::Mode::Append : OutputFile::Mode::Replace);
    if (opened != FileStatus::Ok) return opened;
    FileSink sink(file);
    if (!writeReportLines(sink, state, notes, log)) return FileStatus::WriteError;
    return file.commit();
}

}  // namespace varnokit
