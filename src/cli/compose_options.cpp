// Parsing the command lines of compose, minimise and repair.
#include "cli/compose_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace varnokit::cli {
namespace {

using compose::HideOrder;
using compose::MaskStyle;

bool parseWhole(const std::string& text, int64_t low, int64_t high, int64_t& out) {
    if (text.empty() || text.size() > 19) return false;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) return false;
    out = value;
    return true;
}

bool parseSeed(const std::string& text, uint64_t& out) {
    if (text.empty() || text.size() > 20) return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return false;
        value = value * 10 + digit;
    }
    out = value;
    return true;
}

bool parseSeconds(const std::string& text, double& out) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size()) return false;
    if (!std::isfinite(value) || value <= 0 || value > 366.0 * 24 * 3600) return false;
    out = value;
    return true;
}

bool parseOrder(const std::string& text, HideOrder& out) {
    if (text == "random") out = HideOrder::Random;
    else if (text == "divisor-first") out = HideOrder::DivisorFirst;
    else if (text == "quotient-first") out = HideOrder::QuotientFirst;
    else if (text == "dividend-first") out = HideOrder::DividendFirst;
    else if (text == "top-down") out = HideOrder::TopDown;
    else if (text == "bottom-up") out = HideOrder::BottomUp;
    else return false;
    return true;
}

bool parseMaskStyle(const std::string& text, MaskStyle& out) {
    if (text == "letters") out = MaskStyle::Letters;
    else if (text == "katakana") out = MaskStyle::Katakana;
    else if (text == "kanji") out = MaskStyle::Kanji;
    else return false;
    return true;
}

// "6x6", "6X6" or "6*6": divisor digits, quotient digits.
bool parseSize(const std::string& text, int& divisor, int& quotient) {
    const std::size_t x = text.find_first_of("xX*");
    int64_t s = 0, q = 0;
    if (x == std::string::npos || !parseWhole(text.substr(0, x), 1, 14, s) ||
        !parseWhole(text.substr(x + 1), 1, 14, q))
        return false;
    divisor = static_cast<int>(s);
    quotient = static_cast<int>(q);
    return true;
}

ParsedComposeArguments refuse(std::string message) {
    ParsedComposeArguments result;
    result.error = std::move(message);
    return result;
}

bool takesValue(const std::string& name) {
    static const char* const kWithValue[] = {
        "--timeout", "--engine", "--out", "--seed", "--size", "--zeros", "--remainder", "--masks",
        "--condition", "--order", "--keep", "--divisor", "--dividend", "--solution", "--time-limit",
    };
    for (const char* option : kWithValue)
        if (name == option) return true;
    return false;
}

// Options that only some commands take.
std::string misplaced(ComposeCommand command, const std::string& name) {
    const bool composeOnly = name == "--size" || name == "--zeros" || name == "--remainder";
    const bool minimiseOnly = name == "--keep" || name == "--divisor" || name == "--dividend";
    const bool hiding = name == "--order" || name == "--masks" || name == "--condition" || name == "--seed" ||
                        name == "--hide-remainder";
    const bool repairOnly = name == "--solution" || name == "--time-limit";
    if ((composeOnly && command != ComposeCommand::Compose) || (minimiseOnly && command != ComposeCommand::Minimise) ||
        (hiding && command == ComposeCommand::Repair) || (repairOnly && command != ComposeCommand::Repair))
        return name + " does not belong to this command";
    return {};
}

}  // namespace

bool isComposeCommand(const std::string& name) {
    return name == "compose" || name == "minimise" || name == "minimize" || name == "repair";
}

ParsedComposeArguments parseComposeArguments(const std::vector<std::string>& args) {
    ParsedComposeArguments result;
    ComposeCliOptions& o = result.options;
    o.command = args[0] == "compose" ? ComposeCommand::Compose
                : args[0] == "repair" ? ComposeCommand::Repair
                                      : ComposeCommand::Minimise;
    bool optionsEnded = false;
    bool divisorGiven = false;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.rfind("-", 0) != 0) {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = arg.find('=');
        const bool hasValue = eq != std::string::npos;
        const std::string name = hasValue ? arg.substr(0, eq) : arg;
        std::string value = hasValue ? arg.substr(eq + 1) : std::string();
        if (takesValue(name) && !hasValue) {
            if (i + 1 >= args.size()) return refuse(name + " needs a value");
            value = args[++i];
        } else if (!takesValue(name) && hasValue) {
            return refuse(name + " takes no value");
        }
        if (const std::string wrong = misplaced(o.command, name); !wrong.empty()) return refuse(wrong);

        int64_t number = 0;
        if (name == "--help" || name == "-h") {
            result.help = true;
        } else if (name == "--hide-remainder") {
            o.hideRemainder = true;
        } else if (name == "--json") {
            o.json = true;
        } else if (name == "--timeout") {
            if (!parseSeconds(value, o.timeoutSeconds))
                return refuse("--timeout needs a positive number of seconds, not '" + value + "'");
        } else if (name == "--engine") {
            if (value == "reference") o.engine = SearchEngine::Reference;
            else if (value == "fast") o.engine = SearchEngine::Fast;
            else return refuse("--engine must be reference or fast, not '" + value + "'");
        } else if (name == "--out") {
            if (value.empty()) return refuse("--out needs a file name");
            o.outPath = value;
        } else if (name == "--seed") {
            uint64_t seed = 0;
            if (!parseSeed(value, seed)) return refuse("--seed needs a whole number from 0 to 18446744073709551615, not '" + value + "'");
            o.seed = seed;
        } else if (name == "--size") {
            if (!parseSize(value, o.generate.divisorDigits, o.generate.quotientDigits))
                return refuse("--size needs divisor and quotient digits such as 6x6 (each 1 to 14), not '" + value + "'");
        } else if (name == "--zeros") {
            if (value == "any") o.generate.zeros = compose::QuotientZeros::Any;
            else if (value == "none") o.generate.zeros = compose::QuotientZeros::None;
            else if (value == "some") o.generate.zeros = compose::QuotientZeros::Some;
            else return refuse("--zeros must be any, none or some, not '" + value + "'");
        } else if (name == "--remainder") {
            if (value == "zero") o.generate.remainder = compose::RemainderKind::Zero;
            else if (value == "nonzero") o.generate.remainder = compose::RemainderKind::NonZero;
            else if (value == "any") o.generate.remainder = compose::RemainderKind::Any;
            else return refuse("--remainder must be zero, nonzero or any, not '" + value + "'");
        } else if (name == "--masks") {
            MaskStyle style{};
            if (!parseMaskStyle(value, style)) return refuse("--masks must be letters, katakana or kanji, not '" + value + "'");
            o.masks = style;
        } else if (name == "--condition") {
            if (value == "keep" && o.command == ComposeCommand::Minimise) o.condition = {ConditionChoice::Kind::Keep, -1};
            else if (value == "none") o.condition = {ConditionChoice::Kind::Drop, -1};
            else if (value == "random" && o.command == ComposeCommand::Compose) o.condition = {ConditionChoice::Kind::Set, compose::kRandomCondition};
            else if (parseWhole(value, 0, 9, number)) o.condition = {ConditionChoice::Kind::Set, static_cast<int>(number)};
            else return refuse("--condition must be a digit, none, " +
                               std::string(o.command == ComposeCommand::Compose ? "or random" : "or keep") +
                               ", not '" + value + "'");
        } else if (name == "--order") {
            if (!parseOrder(value, o.order))
                return refuse("--order must be random, divisor-first, quotient-first, dividend-first, top-down or bottom-up, not '" + value + "'");
        } else if (name == "--keep") {
            if (value.empty()) return refuse("--keep needs cells, such as divisor or dividend:1,3");
            o.keep.push_back(value);
        } else if (name == "--divisor") {
            if (!parseWhole(value, 1, 99999999999999, o.divisor))
                return refuse("--divisor needs a whole number of 1 to 14 digits, not '" + value + "'");
            divisorGiven = true;
        } else if (name == "--dividend") {
            if (value.empty() || value.size() > 28 || value[0] == '0' ||
                value.find_first_not_of("0123456789") != std::string::npos)
                return refuse("--dividend needs a whole number of 1 to 28 digits, not '" + value + "'");
            o.dividendDigits = value;
        } else if (name == "--solution") {
            if (!parseWhole(value, 1, 2147483647, o.solution))
                return refuse("--solution needs a solution number from 1, not '" + value + "'");
        } else if (name == "--time-limit") {
            if (!parseSeconds(value, o.timeLimit))
                return refuse("--time-limit needs a positive number of seconds, not '" + value + "'");
        } else {
            return refuse("unknown option '" + name + "'");
        }
    }
    if (result.help) {
        result.ok = true;
        return result;
    }

    // What each command needs.
    if (o.command == ComposeCommand::Compose) {
        if (!files.empty()) return refuse("compose takes no file (use --out FILE to write the puzzle)");
        if (o.generate.zeros == compose::QuotientZeros::Some && o.generate.quotientDigits < 2)
            return refuse("--zeros some needs a quotient of 2 digits or more");
        o.generate.hideRemainder = o.hideRemainder;
        if (o.condition.kind == ConditionChoice::Kind::Set) o.generate.condition = o.condition.digit;
        if (o.masks) {
            o.generate.masks = true;
            o.generate.maskStyle = *o.masks;
        }
        o.generate.order = o.order;
    } else {
        const bool numbers = divisorGiven || !o.dividendDigits.empty();
        if (o.command == ComposeCommand::Minimise && numbers) {
            if (!divisorGiven || o.dividendDigits.empty()) return refuse("a division needs both --divisor and --dividend");
            if (!files.empty()) return refuse("give a problem file or --divisor and --dividend, not both");
        } else if (files.size() != 1) {
            return refuse(files.empty() ? "no problem file given" : "one problem file at a time");
        }
        if (!files.empty()) o.file = files[0];
    }
    result.ok = true;
    return result;
}

std::string composeHelpText() {
    return "\n"
           "The composer's commands. Each prints the result log and the puzzle (text,\n"
           "or one JSON object with --json); --out FILE writes the puzzle as a problem\n"
           "file (cp932, CR LF), replacing FILE only once it is complete. Every puzzle\n"
           "they make has exactly one solution.\n"
           "\n"
           "compose: a new puzzle, the same for the same seed: a random division, then\n"
           "hidden as far as it stays unique (as minimise does).\n"
           "  --size SxQ         divisor and quotient digits (default 3x4; each 1 to 14)\n"
           "  --seed N           the seed (default: from the clock; the output names it)\n"
           "  --zeros any|none|some   quotient digits 0: at random (default), never, at\n"
           "                     least one (a quotient may end in 0)\n"
           "  --remainder zero|nonzero|any   the final remainder (default zero)\n"
           "  --masks letters|katakana|kanji   hide digits as masking characters (one per\n"
           "                     digit) instead of '*'\n"
           "  --condition D|random|none   add the condition \"no * is D\" (default none)\n"
           "  --order ORDER      as for minimise\n"
           "\n"
           "minimise (一意のまま隠す): hides the shown digits of a puzzle with one\n"
           "solution, one at a time, while the solution stays the only one, until no\n"
           "shown digit can be hidden. The puzzle is a problem file, or a division\n"
           "given as numbers (--divisor 12 --dividend 936), written out in full.\n"
           "  --keep CELLS       cells that stay shown: divisor, quotient, dividend,\n"
           "                     lineN (N-th line below the dividend) or remainder, whole or with\n"
           "                     positions from the left: dividend:1,3-5 (repeatable)\n"
           "  --order ORDER      random (default), divisor-first, quotient-first,\n"
           "                     dividend-first, top-down or bottom-up\n"
           "  --seed N           the seed of the random order\n"
           "  --masks STYLE      hide as masking characters: letters, katakana, kanji\n"
           "  --condition keep|none|D   keep the puzzle's condition (default), drop it,\n"
           "                     or set \"no * is D\"\n"
           "  --hide-remainder   the remainder's digits may be hidden too (compose as well;\n"
           "                     by default the remainder stays written in digits)\n"
           "\n"
           "repair (最少の開示): for a puzzle with several solutions, the fewest hidden\n"
           "cells (or masks) whose digits, revealed, leave one solution alone; exact\n"
           "unless the time limit ends the search first, which the output says.\n"
           "  --solution N       the solution to keep, in the order found (default 1)\n"
           "  --time-limit SECONDS   for the search of the smallest answer (default 10)\n"
           "\n"
           "common options:\n"
           "  --out FILE         write the puzzle to FILE\n"
           "  --json             print one JSON object\n"
           "  --timeout SECONDS  stop the command after SECONDS (nothing is written)\n"
           "  --engine NAME      search engine: fast (default) or reference\n";
}

}  // namespace varnokit::cli
