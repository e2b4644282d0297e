// The edge between the window's text (Unicode) and the core's cp932 bytes.
// A character cp932 cannot hold is never replaced: the caller learns which
// one it was and tells the user which box holds it.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace varnokit::ui {

// False when `text` holds a character without a cp932 form; `bad` is then that character.
bool toCp932(const QString& text, std::string& out, QString& bad);
bool toCp932(const QStringList& lines, std::vector<std::string>& out, QString& bad);

// cp932 to Unicode. The strict form fails on bytes that are not cp932; the
// display form shows them as U+FFFD (which cp932 cannot hold, so such text
// can never be saved back with a substitute in it).
bool fromCp932(const std::string& bytes, QString& out);
QString fromCp932ForDisplay(const std::string& bytes);
QStringList fromCp932ForDisplay(const std::vector<std::string>& lines);

// The message for a character that cp932 cannot hold, naming the box.
QString unmappableMessage(const QString& boxName, const QString& bad);

}  // namespace varnokit::ui
