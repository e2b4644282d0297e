// Reading which cells must stay shown.
#include "compose/kept_cells.h"

namespace varnokit::compose {
namespace {

constexpr char kAliasDivisor[] =
    "\x8f\x9c\x90\x94";  // 除数
constexpr char kAliasQuotient[] =
    "\x8f\xa4";  // 商
constexpr char kAliasDividend[] =
    "\x94\xed\x8f\x9c\x90\x94";  // 被除数
constexpr char kAliasRemainder[] =
    "\x97\x5d\x82\xe8";  // 余り
constexpr char kAliasLineSuffix[] =
    "\x8d\x73\x96\xda";  // 行目
constexpr char kFullWidthBlank[] =
    "\x81\x40";  // 　

std::vector<std::string> splitItems(const std::string& text) {
    std::vector<std::string> items;
    std::string current;
    for (std::size_t i = 0; i < text.size();) {
        const bool wideBlank = text.compare(i, 2, kFullWidthBlank) == 0;
        if (text[i] == ' ' || text[i] == '\t' || wideBlank) {
            if (!current.empty()) items.push_back(current);
            current.clear();
            i += wideBlank ? 2 : 1;
            continue;
        }
        // Both bytes of a double-byte character at once: its trail byte may look like ASCII.
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC) ? 2 : 1;
        current += text.substr(i, length);
        i += length;
    }
    if (!current.empty()) items.push_back(current);
    return items;
}

bool parseNumber(const std::string& text, int& out) {
    if (text.empty() || text.size() > 3) return false;
    out = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

// The row a name stands for, or null.
const DraftRow* findRow(const Draft& draft, const std::string& name) {
    RowKind kind = RowKind::Line;
    int line = 0;
    if (name == "divisor" || name == kAliasDivisor) kind = RowKind::Divisor;
    else if (name == "quotient" || name == kAliasQuotient) kind = RowKind::Quotient;
    else if (name == "dividend" || name == kAliasDividend) kind = RowKind::Dividend;
    else if (name == "remainder" || name == kAliasRemainder) kind = RowKind::Remainder;
    else if (name.rfind("line", 0) == 0) {
        if (!parseNumber(name.substr(4), line)) return nullptr;
    } else {
        const std::string suffix = kAliasLineSuffix;
        if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            return nullptr;
        if (!parseNumber(name.substr(0, name.size() - suffix.size()), line)) return nullptr;
    }
    for (const DraftRow& row : draft.rows)
        if (row.kind == kind && (kind != RowKind::Line || row.line == line)) return &row;
    return nullptr;
}

bool markPositions(const DraftRow& row, const std::string& list, std::vector<bool>& keep) {
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        const std::string item = list.substr(start, end - start);
        const std::size_t dash = item.find('-');
        int first = 0, last = 0;
        if (dash == std::string::npos) {
            if (!parseNumber(item, first)) return false;
            last = first;
        } else if (!parseNumber(item.substr(0, dash), first) || !parseNumber(item.substr(dash + 1), last)) {
            return false;
        }
        if (first < 1 || last < first || last > row.length) return false;
        for (int p = first; p <= last; ++p) keep[static_cast<std::size_t>(row.firstCell + p - 1)] = true;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool markKeptCells(const Draft& draft, const std::string& items, std::vector<bool>& keep, std::string& bad) {
    keep.resize(static_cast<std::size_t>(draft.cellCount()), false);
    for (const std::string& item : splitItems(items)) {
        const std::size_t colon = item.find(':');
        const DraftRow* row = findRow(draft, item.substr(0, colon));
        bool ok = row != nullptr;
        if (ok && colon == std::string::npos) {
            for (int c = 0; c < row->length; ++c) keep[static_cast<std::size_t>(row->firstCell + c)] = true;
        } else if (ok) {
            ok = markPositions(*row, item.substr(colon + 1), keep);
        }
        if (!ok) {
            bad = item;
            return false;
        }
    }
    return true;
}

}  // namespace varnokit::compose
