// Conversions at the window's edge, through the iconv-based cp932 module.
#include "ui/text_edge.h"

#include "encoding/cp932.h"

namespace varnokit::ui {
namespace {

// The whole UTF-8 sequence that starts at byte `offset`.
QString characterAt(const std::string& utf8, std::size_t offset) {
    std::size_t end = offset + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    return QString::fromUtf8(utf8.data() + offset, static_cast<qsizetype>(end - offset));
}

}  // namespace

bool toCp932(const QString& text, std::string& out, QString& bad) {
    const std::string utf8 = text.toStdString();
    out.clear();
    const ConversionResult result = utf8ToCp932(utf8, out);
    if (result.ok) return true;
    bad = characterAt(utf8, result.badOffset);
    return false;
}

bool toCp932(const QStringList& lines, std::vector<std::string>& out, QString& bad) {
    out.clear();
    for (const QString& line : lines) {
        std::string bytes;
        if (!toCp932(line, bytes, bad)) return false;
        out.push_back(bytes);
    }
    return true;
}

bool fromCp932(const std::string& bytes, QString& out) {
    std::string utf8;
    if (!cp932ToUtf8(bytes, utf8).ok) return false;
    out = QString::fromStdString(utf8);
    return true;
}

QString fromCp932ForDisplay(const std::string& bytes) {
    return QString::fromStdString(cp932ToUtf8Lossy(bytes));
}

QStringList fromCp932ForDisplay(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines) out.append(fromCp932ForDisplay(line));
    return out;
}

QString unmappableMessage(const QString& boxName, const QString& bad) {
    return QStringLiteral("「%1」の欄の文字「%2」は Shift-JIS (cp932) で表せません。"
                          "別の文字に置き換えてください。")
        .arg(boxName, bad);
}

}  // namespace varnokit::ui
