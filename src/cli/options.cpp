// Parsing and checking the command line of varnokit-cli.
#include "cli/options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "cli/compose_options.h"
#include "varnokit_version.h"

namespace varnokit::cli {
namespace {

// A timeout of more than a year is surely a typing error.
constexpr double kMaxTimeoutSeconds = 366.0 * 24 * 3600;

bool parseSeconds(const std::string& text, double& out) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size()) return false;
    if (!std::isfinite(value) || value <= 0 || value > kMaxTimeoutSeconds) return false;
    out = value;
    return true;
}

// A positive whole number of solutions, at most INT_MAX (what a list can hold).
bool parseCount(const std::string& text, int64_t& out) {
    if (text.empty() || text.size() > 10) return false;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 2147483647) return false;
    out = value;
    return true;
}

ParsedArguments refuse(std::string message) {
    ParsedArguments result;
    result.error = std::move(message);
    return result;
}

// Splits "--name=value" into name and value; other arguments stay whole.
void splitOption(const std::string& arg, std::string& name, std::string& value, bool& hasValue) {
    std::size_t eq = arg.find('=');
    hasValue = arg.rfind("--", 0) == 0 && eq != std::string::npos;
    name = hasValue ? arg.substr(0, eq) : arg;
    value = hasValue ? arg.substr(eq + 1) : std::string();
}

// Final checks on the combination of options.
std::string combinationError(const CliOptions& options) {
    if (options.files.empty()) return "no problem file given";
    int stdinCount = 0;
    for (const std::string& file : options.files) stdinCount += file == "-" ? 1 : 0;
    if (stdinCount > 1) return "standard input (-) can be read only once";
    if (options.overwrite && options.reportPath.empty()) return "--overwrite needs --report OUT";
    if (options.reportStdout && !options.reportPath.empty())
        return "--report-stdout and --report cannot be used together";
    if (options.reportStdout && options.json)
        return "--report-stdout and --json cannot be used together";
    if (options.countOnly && options.unique)
        return "--unique needs the solutions, which --count does not keep";
    if (options.reportStdout && options.digest)
        return "--report-stdout and --digest cannot be used together";
    return {};
}

}  // namespace

ParsedArguments parseArguments(const std::vector<std::string>& args) {
    if (args.empty()) return refuse("no command given");
    const bool help = args[0] == "--help" || args[0] == "-h" || args[0] == "help";
    if (help || args[0] == "--version") {
        if (args.size() > 1) return refuse(args[0] + " takes no arguments");
        ParsedArguments answer;
        answer.ok = true;
        answer.command = help ? Command::Help : Command::Version;
        return answer;
    }
    if (args[0] != "solve") return refuse("unknown command '" + args[0] + "'");

    ParsedArguments result;
    result.command = Command::Solve;
    CliOptions& options = result.options;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.rfind("-", 0) != 0) {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name, value;
        bool hasValue = false;
        splitOption(arg, name, value, hasValue);
        const bool takesValue =
            name == "--timeout" || name == "--engine" || name == "--report" || name == "--max-solutions";
        if (takesValue && !hasValue) {
            if (i + 1 >= args.size()) return refuse(name + " needs a value");
            value = args[++i];
        } else if (!takesValue && hasValue) {
            return refuse(name + " takes no value");
        }

        if (name == "--help" || name == "-h") {
            result.command = Command::Help;
        } else if (name == "--version") {
            if (result.command != Command::Help) result.command = Command::Version;
        } else if (name == "--json") {
            options.json = true;
        } else if (name == "--timeout") {
            if (!parseSeconds(value, options.timeoutSeconds))
                return refuse("--timeout needs a positive number of seconds, not '" + value + "'");
        } else if (name == "--clock") {
            options.measureClock = true;
        } else if (name == "--no-clock") {
            options.measureClock = false;
        } else if (name == "--engine") {
            if (value == "reference") options.engine = SearchEngine::Reference;
            else if (value == "fast") options.engine = SearchEngine::Fast;
            else return refuse("--engine must be reference or fast, not '" + value + "'");
        } else if (name == "--unique") {
            options.unique = true;
        } else if (name == "--report") {
            if (value.empty()) return refuse("--report needs a file name");
            options.reportPath = value;
        } else if (name == "--overwrite") {
            options.overwrite = true;
        } else if (name == "--report-stdout") {
            options.reportStdout = true;
        } else if (name == "--count") {
            options.countOnly = true;
        } else if (name == "--max-solutions") {
            if (!parseCount(value, options.maxSolutions))
                return refuse("--max-solutions needs a whole number from 1 to 2147483647, not '" + value + "'");
        } else if (name == "--digest") {
            options.digest = true;
        } else {
            return refuse("unknown option '" + name + "'");
        }
    }
    if (result.command != Command::Solve) {
        result.ok = true;
        return result;
    }
    std::string error = combinationError(options);
    if (!error.empty()) return refuse(error);
    result.ok = true;
    return result;
}

std::string helpText() {
    return "usage: varnokit-cli solve [options] FILE...\n"
           "       varnokit-cli compose [options]\n"
           "       varnokit-cli minimise [options] FILE | --divisor D --dividend N\n"
           "       varnokit-cli repair [options] FILE\n"
           "       varnokit-cli --help | --version\n"
           "\n"
           "Solves long-division skeleton puzzles kept in problem files (cp932, CR LF)\n"
           "and prints the result log and every solution in UTF-8. FILE - reads\n"
           "standard input. Several files are solved one after the other.\n"
           "\n"
           "options:\n"
           "  --json             print one JSON object per file instead of text\n"
           "  --timeout SECONDS  stop a search after SECONDS, as the Abort button does\n"
           "  --clock            measure the processor clock for the timing line (takes\n"
           "                     a second, once per process); without it the line ends\n"
           "                     in (クロック未測定)\n"
           "  --no-clock         leave the clock unmeasured (the default)\n"
           "  --engine NAME      search engine: fast (default) or reference\n"
           "  --unique           after two or more solutions, add the uniqueness\n"
           "                     analysis to the result log\n"
           "  --report OUT       append the result report to OUT (cp932, CR LF)\n"
           "  --overwrite        with --report: replace OUT (further files append)\n"
           "  --report-stdout    print the result report (UTF-8) instead of the text output\n"
           "  --count            count the solutions: print the log with the count, keep\n"
           "                     and print no solution (memory stays flat)\n"
           "  --max-solutions N  stop each search at its N-th solution (2 answers \"is it\n"
           "                     unique?\" soonest); the log says it stopped there\n"
           "  --digest           print a digest of the solution list (see the README)\n"
           "                     instead of the solutions\n"
           "  -h, --help         show this text\n"
           "  --version          show the version\n"
           "\n"
           "Ctrl-C stops the running search like the Abort button; the solutions found\n"
           "so far are printed and no further file is solved. A second Ctrl-C ends\n"
           "the program at once.\n"
           "\n"
           "exit status: 0 every puzzle searched to the end or to --max-solutions, 1 a\n"
           "puzzle rejected by the checks, 3 a search stopped by --timeout, Ctrl-C or\n"
           "the memory limit, 2 a usage or file error (2 outranks 3, 3 outranks 1).\n"
           "Output closed early (… | head) ends the program quietly.\n" +
           composeHelpText();
}

std::string versionText() { return "varnokit-cli " VARNOKIT_VERSION "\n"; }

}  // namespace varnokit::cli
