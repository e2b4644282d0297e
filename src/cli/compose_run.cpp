// compose, minimise and repair on the command line: the puzzle comes from
// the options or a problem file, the core does the work, and the result log
// and the puzzle go to standard output (text or JSON) and, with --out, to a
// problem file.
#include "cli/compose_run.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "cli/compose_options.h"
#include "cli/json_output.h"
#include "cli/options.h"
#include "cli/problem_reading.h"
#include "cli/progress_bar.h"
#include "cli/puzzle_text.h"
#include "compose/kept_cells.h"
#include "compose/compose_text.h"
#include "compose/draft_from_puzzle.h"
#include "encoding/cp932.h"
#include "platform/file_saving.h"

namespace varnokit::cli {
namespace {

using namespace compose;

// Ctrl-C and --timeout stop the command; the bar shows how far it got.
class TerminalControl : public ComposeControl {
public:
    TerminalControl(const SystemServices& services, double timeout, bool showBar)
        : services_(services), timeout_(timeout), started_(services.monotonicSeconds()), bar_(showBar) {
        bar_.reset(started_);
    }
    ~TerminalControl() override { erase(); }

    void progress(int done, int total) override {
        const int target = total > 0 ? done * 100 / total : 100;
        const double now = services_.monotonicSeconds();
        std::string drawn;
        while (bar_.position() < target) drawn = bar_.step(now);
        if (!drawn.empty()) services_.writeProgress(drawn);
    }
    bool stopRequested() override {
        if (services_.interrupted()) stopped_ = true;
        if (timeout_ > 0 && services_.monotonicSeconds() - started_ >= timeout_) stopped_ = true;
        return stopped_;
    }
    void erase() {
        const std::string text = bar_.finish();
        if (!text.empty()) services_.writeProgress(text);
    }
    double elapsed() const { return services_.monotonicSeconds() - started_; }

private:
    const SystemServices& services_;
    double timeout_;
    double started_;
    ProgressBar bar_;
    bool stopped_ = false;
};

const char* statusName(bool done, bool stopped) { return done ? "ok" : stopped ? "aborted" : "refused"; }

std::string boolText(bool value) { return value ? "true" : "false"; }

// Seconds to the millisecond, at least 0.001, as the Solve's timing line has them.
std::string secondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds < 0.001 ? 0.001 : seconds);
    return text;
}

class ComposeRunner {
public:
    ComposeRunner(const ComposeCliOptions& options, CliIo& io)
        : o_(options), io_(io), services_(io.services(false)),
          control_(services_, options.timeoutSeconds, io.errIsTerminal), probe_(control_, options.engine) {}

    int run() {
        switch (o_.command) {
            case ComposeCommand::Compose: return composePuzzle();
            case ComposeCommand::Minimise: return minimisePuzzle();
            default: return repairPuzzle();
        }
    }

private:
    // --- Reading the puzzle ---
    bool readInput(ProblemBoxes& boxes, PuzzleInput& input) {
        const FileStatus read = readBoxes(o_.file, io_.in, boxes);
        std::string error = read == FileStatus::Ok ? std::string() : fileErrorText(read);
        if (error.empty()) error = textErrorText(boxesToCp932(boxes));
        if (!error.empty()) {
            io_.err << "varnokit-cli: " << o_.file << ": " << error << "\n";
            return false;
        }
        input = PuzzleInput{boxes.divisor, boxes.quotient, boxes.body, boxes.condition};
        return true;
    }

    int usageError(const std::string& message) {
        io_.err << "varnokit-cli: " << message << "\n";
        return kExitUsage;
    }

    // --- Output ---
    // The log and the puzzle as text, or the JSON object `fields` completes.
    int finish(bool done, bool stopped, const std::vector<std::string>& log, const Draft* puzzle,
               const std::string& fields) {
        control_.erase();
        std::vector<std::string> lines = log;
        lines.push_back(std::string("  \x8f\x8a\x97v\x8e\x9e\x8a\xd4: ") + secondsText(control_.elapsed()) +
                        "\x95\x62");  // "  所要時間: …秒"
        std::string written;
        int status = done ? kExitSearched : stopped ? kExitAborted : kExitRejected;
        if (done && puzzle && !o_.outPath.empty()) {
            const FileStatus saved = writeProblemFile(o_.outPath, draftBoxes(*puzzle));
            if (saved != FileStatus::Ok) {
                io_.err << "varnokit-cli: " << o_.outPath << ": " << fileErrorText(saved) << "\n";
                status = kExitUsage;
            } else {
                written = o_.outPath;
            }
        }
        if (o_.json) {
            std::vector<std::string> utf8;
            for (const std::string& line : lines) utf8.push_back(cp932ToUtf8Lossy(line));
            std::string logJson = "[";
            for (std::size_t i = 0; i < utf8.size(); ++i) logJson += (i ? ", " : "") + jsonString(utf8[i]);
            logJson += "]";
            io_.out << "{\"command\": " << jsonString(commandName()) << ", \"status\": "
                    << jsonString(statusName(done, stopped)) << ", \"log\": " << logJson << fields;
            if (done && puzzle) io_.out << ", \"puzzle\": " << puzzleJson(*puzzle);
            if (!written.empty()) io_.out << ", \"file\": " << jsonString(written);
            io_.out << ", \"seconds\": " << secondsText(control_.elapsed()) << "}\n";
        } else {
            for (const std::string& line : lines) io_.out << cp932ToUtf8Lossy(line) << "\n";
            if (done && puzzle) {
                io_.out << "\n";
                for (const std::string& line : puzzleLines(*puzzle)) io_.out << line << "\n";
            }
        }
        io_.out.flush();
        return status;
    }

    std::string commandName() const {
        switch (o_.command) {
            case ComposeCommand::Compose: return "compose";
            case ComposeCommand::Minimise: return "minimise";
            default: return "repair";
        }
    }

    // The fields Minimise and Compose share.
    std::string hidingFields(const MinimiseResult& result, const MinimiseOptions& hiding) const {
        const Draft& d = result.draft;
        std::ostringstream out;
        out << ", \"cells\": " << d.cellCount() << ", \"shown\": " << d.count(CellState::Shown)
            << ", \"hidden\": " << d.count(CellState::Hidden) << ", \"masked\": " << d.count(CellState::Masked)
            << ", \"hiddenPercent\": " << hiddenPercent(d)
            << ", \"minimal\": " << boolText(result.status == MinimiseStatus::Done && witnessesProveMinimal(result, hiding))
            << ", \"solves\": " << result.probes << ", \"answeredByWitness\": " << result.answeredByWitness
            << ", \"difficulty\": " << result.searchSteps << ", \"division\": " << divisionJson(d.division);
        return out.str();
    }

    uint64_t seed() const {
        if (o_.seed) return *o_.seed;
        // Unseeded: the clock's nanoseconds, printed so the puzzle can be made again.
        return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) % 1000000000000ull;
    }

    // --- The three commands ---
    int composePuzzle() {
        GenerateOptions options = o_.generate;
        options.seed = seed();
        const GenerateResult result = generate(options, probe_, control_);
        MinimiseResult minimised = result.minimised;
        minimised.draft.notes = {generatedNote(options)};
        const bool done = minimised.status == MinimiseStatus::Done;
        const std::string fields = ", \"seed\": " + std::to_string(options.seed) + hidingFields(minimised, result.hiding);
        return finish(done, minimised.status == MinimiseStatus::Stopped, generateLines(result, options),
                      &minimised.draft, fields);
    }

    // The draft to minimise: the division given as numbers, or the file's
    // puzzle with its one solution. 0 with `draft` filled, or an exit status.
    int startingDraft(Draft& draft, std::vector<std::string>& log, bool& stopped) {
        if (o_.file.empty()) {
            switch (writeOutDividend(o_.divisor, o_.dividendDigits, draft)) {
                case LayoutProblem::None: return 0;
                case LayoutProblem::QuotientSize:
                    return usageError("the dividend must be at least the divisor, and the quotient at most 14 digits");
                default: return usageError("the divisor must have 1 to 14 digits");
            }
        }
        ProblemBoxes boxes;
        PuzzleInput input;
        if (!readInput(boxes, input)) return kExitUsage;
        const ProbeResult probe = probe_.run(input, 2);
        MinimiseResult refused;
        switch (probe.verdict) {
            case ProbeVerdict::Unique:
                if (!draftFromPuzzle(probe_.state(), probe.found.front(), draft)) return usageError("internal error: the solution does not fit the puzzle");
                draft.notes = boxes.notes;
                return 0;
            case ProbeVerdict::Several: refused.status = MinimiseStatus::NotUnique; break;
            case ProbeVerdict::None: refused.status = MinimiseStatus::NoSolution; break;
            case ProbeVerdict::Rejected: refused.status = MinimiseStatus::Rejected; break;
            default: refused.status = MinimiseStatus::Stopped; stopped = true; break;
        }
        log = minimiseLines(refused, probe_.state().pending);
        return stopped ? kExitAborted : kExitRejected;
    }

    int minimisePuzzle() {
        Draft draft;
        std::vector<std::string> log;
        bool stopped = false;
        if (const int status = startingDraft(draft, log, stopped); status == kExitUsage) {
            return status;
        } else if (status != 0) {
            return finish(false, stopped, log, nullptr, "");
        }
        MinimiseOptions hiding;
        hiding.order = o_.order;
        hiding.seed = seed();
        hiding.hideRemainder = o_.hideRemainder;
        if (o_.masks) {
            hiding.style = HideStyle::Mask;
            hiding.maskStyle = *o_.masks;
        }
        for (const std::string& item : o_.keep) {
            std::string cp932, bad;
            if (!utf8ToCp932(item, cp932).ok || !markKeptCells(draft, cp932, hiding.keep, bad))
                return usageError("--keep: no such cells in this puzzle: '" + item + "'");
        }
        if (o_.condition.kind == ConditionChoice::Kind::Drop) draft.condition = -1;
        if (o_.condition.kind == ConditionChoice::Kind::Set) {
            for (int c = 0; c < draft.cellCount(); ++c)
                if (draft.states[static_cast<std::size_t>(c)] == CellState::Hidden &&
                    draft.digits[static_cast<std::size_t>(c)] == o_.condition.digit)
                    return usageError("--condition " + std::to_string(o_.condition.digit) + ": a '*' of the puzzle stands for " +
                                      std::to_string(o_.condition.digit) + " (" + cp932ToUtf8Lossy(cellName(draft, c)) + ")");
            draft.condition = o_.condition.digit;
        }
        const MinimiseResult result = minimise(draft, hiding, probe_, control_);
        const bool done = result.status == MinimiseStatus::Done;
        std::string fields = ", \"seed\": " + std::to_string(hiding.seed) + hidingFields(result, hiding);
        return finish(done, result.status == MinimiseStatus::Stopped, minimiseLines(result, probe_.state().pending),
                      &result.draft, fields);
    }

    int repairPuzzle() {
        ProblemBoxes boxes;
        PuzzleInput input;
        if (!readInput(boxes, input)) return kExitUsage;
        RepairOptions options;
        options.seconds = o_.timeLimit;
        RepairResult result = repair(input, o_.solution - 1, options, probe_, control_);
        result.draft.notes = boxes.notes;
        const bool done = result.status == RepairStatus::Done;
        std::ostringstream fields;
        fields << ", \"exact\": " << boolText(done && result.exact) << ", \"solutionCount\": " << result.solutionsAtStart
               << ", \"countComplete\": " << boolText(result.countComplete) << ", \"rounds\": " << result.rounds;
        if (done) {
            fields << ", \"solution\": " << divisionJson(result.chosen) << ", \"reveals\": [";
            for (std::size_t i = 0; i < result.reveals.size(); ++i) {
                const Reveal& r = result.reveals[i];
                fields << (i ? ", " : "") << revealJson(result.draft, r);
            }
            fields << "]";
        }
        return finish(done, result.status == RepairStatus::Stopped, repairLines(result, probe_.state().pending),
                      &result.draft, fields.str());
    }

    static std::string revealJson(const Draft& draft, const Reveal& reveal) {
        const std::string digit = jsonString(std::to_string(reveal.digit));
        if (reveal.cell < 0)
            return "{\"mask\": " + jsonString(cp932ToUtf8Lossy(draft.maskOf[static_cast<std::size_t>(reveal.maskDigit)])) +
                   ", \"digit\": " + digit + "}";
        for (const DraftRow& row : draft.rows) {
            if (reveal.cell < row.firstCell || reveal.cell >= row.firstCell + row.length) continue;
            const char* names[] = {"divisor", "quotient", "dividend", "line", "remainder"};
            std::string out = "{\"row\": " + jsonString(names[static_cast<int>(row.kind)]);
            if (row.kind == RowKind::Line) out += ", \"line\": " + std::to_string(row.line);
            return out + ", \"position\": " + std::to_string(reveal.cell - row.firstCell + 1) + ", \"digit\": " + digit + "}";
        }
        return "{}";
    }

    const ComposeCliOptions& o_;
    CliIo& io_;
    SystemServices services_;
    TerminalControl control_;
    SolutionProbe probe_;
};

}  // namespace

int runComposeCli(const std::vector<std::string>& args, CliIo& io) {
    const ParsedComposeArguments parsed = parseComposeArguments(args);
    if (!parsed.ok) {
        io.err << "varnokit-cli: " << parsed.error << "\n"
               << "Try 'varnokit-cli --help'.\n";
        return kExitUsage;
    }
    if (parsed.help) {
        io.out << helpText();
        return kExitSearched;
    }
    ComposeRunner runner(parsed.options, io);
    const int status = runner.run();
    if (!io.out.flush() && io.outputClosed()) return kExitOutputClosed;
    return status;
}

}  // namespace varnokit::cli
