// Writing solve results as single-line JSON objects.
#include "cli/json_output.h"

#include <cstdio>
#include <ostream>
#include <sstream>

#include "analysis/mask_table.h"
#include "cli/solution_digest.h"
#include "encoding/cp932.h"

namespace varnokit::cli {
namespace {

std::string stringArray(const std::vector<std::string>& utf8Items) {
    std::string out = "[";
    for (std::size_t i = 0; i < utf8Items.size(); ++i) {
        if (i > 0) out += ", ";
        out += jsonString(utf8Items[i]);
    }
    return out + "]";
}

std::string solutionJson(const PuzzleState& state, int index) {
    Int128 values[kRowCount];
    state.solutions.rowValues(index, values);
    std::vector<std::string> rows;
    const int q = state.work.rows[kQuotientRow].length;
    for (int u = 0; u < 2 * q - 1; ++u) {
        const Int128 value = values[kFirstInteriorRow + u];
        if (value != 0) rows.push_back(toDecimal(value));  // no lines for a zero digit
    }
    std::string json = "{\"divisor\": " + jsonString(toDecimal(values[kDivisorRow])) +
                       ", \"quotient\": " + jsonString(toDecimal(values[kQuotientRow])) +
                       ", \"dividend\": " + jsonString(toDecimal(values[kDividendRow])) +
                       ", \"remainder\": " + jsonString(toDecimal(values[kRemainderRow])) +
                       ", \"rows\": " + stringArray(rows);
    // Which digit each masking character stands for, in order of first appearance.
    if (state.maskCount > 0) {
        json += ", \"masks\": {";
        const std::vector<MaskBinding> table = maskTable(state, index);
        for (std::size_t i = 0; i < table.size(); ++i) {
            if (i > 0) json += ", ";
            json += jsonString(cp932ToUtf8Lossy(table[i].character)) + ": " + jsonString(std::to_string(table[i].digit));
        }
        json += "}";
    }
    return json + "}";
}

// Length of the well-formed UTF-8 sequence starting at `i`, or 0.
std::size_t utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        const unsigned char lo = k == 1 ? low : 0x80, hi = k == 1 ? high : 0xBF;
        if (byte < lo || byte > hi) return 0;
    }
    return length;
}

}  // namespace

// Bytes that are not UTF-8 (a file name from a cp932 folder, say) become
// U+FFFD, so the output always parses.
std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = utf8SequenceLength(utf8, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (length > 1) {
            out.append(utf8, i, length);
            i += length;
            continue;
        }
        const char c = utf8[i++];
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7f) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

void writeSolveJson(std::ostream& out, const std::string& file, const std::string& status,
                    const std::vector<std::string>& log, const PuzzleState& state,
                    const std::string& reportError, bool digest) {
    std::vector<std::string> logUtf8;
    for (const std::string& line : log) logUtf8.push_back(cp932ToUtf8Lossy(line));
    out << "{\"file\": " << jsonString(file);
    if (reportError.empty()) {
        out << ", \"status\": " << jsonString(status);
    } else {
        out << ", \"status\": \"error\", \"message\": " << jsonString(reportError)
            << ", \"search\": " << jsonString(status);
    }
    out << ", \"log\": " << stringArray(logUtf8) << ", \"count\": " << state.solutions.count();
    if (digest && state.solutions.stores()) {
        out << ", \"digest\": " << jsonString(solutionDigest(state.solutions));
    } else if (state.solutions.stores()) {
        out << ", \"solutions\": [";
        for (int i = 0; i < state.solutions.count() && out; ++i) {
            if (i > 0) out << ", ";
            out << solutionJson(state, i);
        }
        out << "]";
    }
    out << "}";
}

std::string solveJson(const std::string& file, const std::string& status,
                      const std::vector<std::string>& log, const PuzzleState& state,
                      const std::string& reportError) {
    std::ostringstream out;
    writeSolveJson(out, file, status, log, state, reportError);
    return out.str();
}

std::string errorJson(const std::string& file, const std::string& utf8Message) {
    return "{\"file\": " + jsonString(file) + ", \"status\": \"error\", \"message\": " +
           jsonString(utf8Message) + "}";
}

}  // namespace varnokit::cli
