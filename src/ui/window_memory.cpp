// The settings keys, one group per kind of memory.
#include "ui/window_memory.h"

namespace varnokit::ui {
namespace {

const QString kProblemFile = QStringLiteral("files/problem");
const QString kReportFile = QStringLiteral("files/report");
const QString kRecentKey = QStringLiteral("files/recent");
const QString kEndSound = QStringLiteral("options/endSound");
const QString kResultOutput = QStringLiteral("options/resultOutput");
const QString kPuzzle = QStringLiteral("lastPuzzle/");
const QString kFontNotice = QStringLiteral("notices/font");

// A two-item option read back as 0 or 1, whatever the file holds.
int optionIndex(const QSettings& settings, const QString& key) {
    return settings.value(key, 0).toInt() == 1 ? 1 : 0;
}

}  // namespace

WindowMemory::WindowMemory()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Varnokit"),
                QStringLiteral("Varnokit")) {}

QString WindowMemory::problemFile() const { return settings_.value(kProblemFile).toString(); }

void WindowMemory::setProblemFile(const QString& fileName) {
    settings_.setValue(kProblemFile, fileName);
    QStringList recent = recentFiles();
    recent.removeAll(fileName);
    recent.prepend(fileName);
    settings_.setValue(kRecentKey, recent.mid(0, kRecentFiles));
}

QString WindowMemory::reportFile() const { return settings_.value(kReportFile).toString(); }

void WindowMemory::setReportFile(const QString& fileName) { settings_.setValue(kReportFile, fileName); }

QStringList WindowMemory::recentFiles() const {
    QStringList recent = settings_.value(kRecentKey).toStringList();
    recent.removeAll(QString());
    return recent.mid(0, kRecentFiles);
}

void WindowMemory::forgetRecentFile(const QString& fileName) {
    QStringList recent = recentFiles();
    recent.removeAll(fileName);
    settings_.setValue(kRecentKey, recent);
}

int WindowMemory::endSound() const { return optionIndex(settings_, kEndSound); }
void WindowMemory::setEndSound(int index) { settings_.setValue(kEndSound, index); }
int WindowMemory::resultOutput() const { return optionIndex(settings_, kResultOutput); }
void WindowMemory::setResultOutput(int index) { settings_.setValue(kResultOutput, index); }

std::optional<PuzzleSnapshot> WindowMemory::lastPuzzle() const {
    PuzzleSnapshot p;
    p.notes = settings_.value(kPuzzle + QStringLiteral("notes")).toString();
    p.divisor = settings_.value(kPuzzle + QStringLiteral("divisor")).toString();
    p.quotient = settings_.value(kPuzzle + QStringLiteral("quotient")).toString();
    p.body = settings_.value(kPuzzle + QStringLiteral("body")).toString();
    p.condition = settings_.value(kPuzzle + QStringLiteral("condition")).toString();
    p.fileName = settings_.value(kPuzzle + QStringLiteral("file")).toString();
    if (p.isEmpty()) return std::nullopt;
    return p;
}

void WindowMemory::setLastPuzzle(const PuzzleSnapshot& p) {
    settings_.setValue(kPuzzle + QStringLiteral("notes"), p.notes);
    settings_.setValue(kPuzzle + QStringLiteral("divisor"), p.divisor);
    settings_.setValue(kPuzzle + QStringLiteral("quotient"), p.quotient);
    settings_.setValue(kPuzzle + QStringLiteral("body"), p.body);
    settings_.setValue(kPuzzle + QStringLiteral("condition"), p.condition);
    settings_.setValue(kPuzzle + QStringLiteral("file"), p.fileName);
}

bool WindowMemory::fontNoticeGiven() const { return settings_.value(kFontNotice, false).toBool(); }
void WindowMemory::setFontNoticeGiven(bool given) { settings_.setValue(kFontNotice, given); }

void WindowMemory::clear() { settings_.clear(); }
void WindowMemory::sync() { settings_.sync(); }

}  // namespace varnokit::ui
