// Solving a batch of problem files from the command line: read each file,
// run the Solve pipeline with the terminal hooks, add the analysis and the
// report when asked, and print text or JSON.
#include "cli/run.h"

#include <iostream>
#include <memory>

#include "analysis/uniqueness.h"
#include "cli/compose_options.h"
#include "cli/compose_run.h"
#include "cli/json_output.h"
#include "cli/options.h"
#include "cli/problem_reading.h"
#include "cli/solution_digest.h"
#include "cli/solution_text.h"
#include "encoding/cp932.h"
#include "encoding/problem_text.h"
#include "files/problem_file.h"
#include "files/report.h"
#include "platform/file_saving.h"
#include "solver/solve.h"

namespace varnokit::cli {

const char* const kClockNotMeasured = "\x83N\x83\x8d\x83" "b\x83N\x96\xa2\x91\xaa\x92\xe8";  // クロック未測定

int worseExit(int a, int b) {
    auto rank = [](int status) {
        switch (status) {
            case kExitUsage: return 3;
            case kExitAborted: return 2;
            case kExitRejected: return 1;
            default: return 0;
        }
    };
    return rank(a) >= rank(b) ? a : b;
}

namespace {

const char* statusName(SolveOutcome outcome) {
    switch (outcome) {
        case SolveOutcome::Rejected: return "rejected";
        case SolveOutcome::Aborted: return "aborted";
        case SolveOutcome::Limited: return "limited";
        default: return "ok";
    }
}

int exitFor(SolveOutcome outcome) {
    switch (outcome) {
        case SolveOutcome::Rejected: return kExitRejected;
        case SolveOutcome::Aborted: return kExitAborted;
        default: return kExitSearched;
    }
}

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The report for the terminal: each line in UTF-8 with an LF, written as
// soon as it is made.
class TerminalReportSink : public ReportSink {
public:
    explicit TerminalReportSink(std::ostream& out) : out_(out) {}
    bool line(std::string_view text) override {
        if (isAscii(text)) {
            out_ << text;
        } else {
            out_ << cp932ToUtf8Lossy(std::string(text));
        }
        out_ << '\n';
        return static_cast<bool>(out_);
    }

private:
    std::ostream& out_;
};

class BatchRunner {
public:
    BatchRunner(const CliOptions& options, CliIo& io)
        : options_(options), io_(io), services_(io.services(options.measureClock)) {}

    // Solves one file and writes its output; returns its exit status.
    int solveFile(const std::string& file);
    bool interrupted() const { return services_.interrupted(); }

private:
    void reportFileError(const std::string& file, FileStatus status);
    // "" when the report was written; otherwise why not (UTF-8).
    std::string writeReportFile(const PuzzleState& state, const ProblemBoxes& boxes,
                                const std::vector<std::string>& log);
    void printText(const PuzzleState& state, const std::vector<std::string>& log);

    const CliOptions& options_;
    CliIo& io_;
    SystemServices services_;
    bool reportWritten_ = false;  // --overwrite replaces OUT once; later files append
};

void BatchRunner::reportFileError(const std::string& file, FileStatus status) {
    const std::string text = fileErrorText(status);
    io_.err << "varnokit-cli: " << file << ": " << text << "\n";
    if (options_.json) io_.out << errorJson(file, text) << "\n";
}

std::string BatchRunner::writeReportFile(const PuzzleState& state, const ProblemBoxes& boxes,
                                         const std::vector<std::string>& log) {
    const ReportMode mode =
        options_.overwrite && !reportWritten_ ? ReportMode::Overwrite : ReportMode::Append;
    const FileStatus status = writeReport(options_.reportPath, mode, state, boxes.notes, log);
    if (status != FileStatus::Ok) {
        const std::string text = options_.reportPath + ": " + fileErrorText(status);
        io_.err << "varnokit-cli: " << text << "\n";
        return text;
    }
    reportWritten_ = true;
    return {};
}

// The log, then every stored solution (none with --count). A stream that
// fails (its reader left) ends the printing.
void BatchRunner::printText(const PuzzleState& state, const std::vector<std::string>& log) {
    for (const std::string& line : log) io_.out << cp932ToUtf8Lossy(line) << "\n";
    if (!state.solutions.stores()) return;
    for (int i = 0; i < state.solutions.count() && io_.out; ++i) {
        io_.out << "\n";
        for (const std::string& line : solutionBlock(state, i)) io_.out << line << "\n";
    }
}

int BatchRunner::solveFile(const std::string& file) {
    ProblemBoxes boxes;
    const FileStatus read = readBoxes(file, io_.in, boxes);
    if (read != FileStatus::Ok) {
        reportFileError(file, read);
        return kExitUsage;
    }
    // UTF-8 files are solved as the cp932 they convert to. Bytes that are
    // not cp932 have always been left to the checks (which refuse them in a
    // row); the user is now also told that the file is not text.
    const BoxesConversion text = boxesToCp932(boxes);
    if (const std::string error = textErrorText(text); !error.empty()) {
        io_.err << "varnokit-cli: " << file << ": " << error << "\n";
        if (options_.json) io_.out << errorJson(file, error) << "\n";
        return kExitUsage;
    }
    if (text.result == BoxesText::NotCp932)
        io_.err << "varnokit-cli: " << file << ": 警告: Shift-JIS (cp932) としても UTF-8 としても読めないバイトがあります"
                   " (warning: the file is neither Shift-JIS (cp932) nor UTF-8)\n";
    // Ctrl-C while standard input was being typed cuts the puzzle short: not solved.
    if (services_.interrupted()) return kExitAborted;
    const PuzzleInput input{boxes.divisor, boxes.quotient, boxes.body, boxes.condition};

    auto state = std::make_unique<PuzzleState>();  // three records: too large for the stack
    // As many solutions as the machine has memory for now; beyond that the
    // search stops like an abort and keeps them.
    if (services_.solutionLimit) state->solutions.setLimit(services_.solutionLimit());
    TerminalHooks hooks(*state, services_, options_.timeoutSeconds, io_.errIsTerminal);
    const SolveOptions solveOptions{false, options_.engine, options_.countOnly, options_.maxSolutions};
    const SolveOutcome outcome = solve(*state, input, hooks, solveOptions);

    std::vector<std::string> log = hooks.log();
    if (options_.unique && outcome != SolveOutcome::Rejected && state->solutions.count() >= 2) {
        for (const std::string& line : analyseUniqueness(*state)) log.push_back(line);
    }

    int status = exitFor(outcome);
    std::string reportError;
    if (!options_.reportPath.empty()) {
        reportError = writeReportFile(*state, boxes, log);
        if (!reportError.empty()) status = worseExit(status, kExitUsage);
    }

    if (options_.json) {
        writeSolveJson(io_.out, file, statusName(outcome), log, *state, reportError, options_.digest);
        io_.out << "\n";
    } else if (options_.reportStdout) {
        TerminalReportSink sink(io_.out);
        writeReportLines(sink, *state, boxes.notes, log);
    } else if (options_.digest) {
        for (const std::string& line : log) io_.out << cp932ToUtf8Lossy(line) << "\n";
        if (state->solutions.stores()) io_.out << "digest " << solutionDigest(state->solutions) << "\n";
    } else {
        printText(*state, log);
    }
    io_.out.flush();
    return status;
}

}  // namespace

int runCli(const std::vector<std::string>& args, CliIo& io) {
    if (!args.empty() && isComposeCommand(args[0])) return runComposeCli(args, io);
    const ParsedArguments parsed = parseArguments(args);
    if (!parsed.ok) {
        io.err << "varnokit-cli: " << parsed.error << "\n"
               << "Try 'varnokit-cli --help'.\n";
        return kExitUsage;
    }
    if (parsed.command == Command::Help || parsed.command == Command::Version) {
        io.out << (parsed.command == Command::Help ? helpText() : versionText());
        return kExitSearched;
    }

    const CliOptions& options = parsed.options;
    BatchRunner runner(options, io);
    int status = kExitSearched;
    for (std::size_t i = 0; i < options.files.size() && io.out; ++i) {
        if (runner.interrupted()) {
            // Ctrl-C stopped the last search: the rest of the batch is not solved.
            io.err << "varnokit-cli: interrupted; " << options.files.size() - i
                   << " file(s) not solved\n";
            status = worseExit(status, kExitAborted);
            break;
        }
        if (!options.json && !options.reportStdout && options.files.size() > 1) {
            if (i > 0) io.out << "\n";
            io.out << "== " << options.files[i] << "\n";
        }
        status = worseExit(status, runner.solveFile(options.files[i]));
    }
    if (!io.out.flush() && io.outputClosed()) {
        // Nobody reads any more (`… | head`): end quietly, as Unix tools do.
        // What had to be written to files (the report) is complete.
        return kExitOutputClosed;
    }
    if (!io.out) {
        // A full disk must not pass for a finished run.
        io.err << "varnokit-cli: cannot write the standard output\n";
        status = worseExit(status, kExitUsage);
    }
    return status;
}

}  // namespace varnokit::cli
