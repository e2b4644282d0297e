// The test desktop: a dialog with no queued name counts as cancelled.
#include "fake_desktop.h"

namespace varnokit::testing {

QString FakeDesktop::openFileName(QWidget*, const QString& startPath) {
    ++openDialogs;
    openStartPaths.append(startPath);
    if (nextOpenNames.empty()) return {};
    QString name = nextOpenNames.front();
    nextOpenNames.pop_front();
    return name;
}

QString FakeDesktop::saveFileName(QWidget*, const QString& title, const QString& startName) {
    saveStartNames.append(startName);
    saveTitles.append(title);
    if (nextSaveNames.empty()) return {};
    QString name = nextSaveNames.front();
    nextSaveNames.pop_front();
    return name;
}

bool FakeDesktop::askYesNo(QWidget*, const QString& question) {
    questions.append(question);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

}  // namespace varnokit::testing
