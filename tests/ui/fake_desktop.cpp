// The test desktop: a dialog with no queued name counts as cancelled.
#include "fake_desktop.h"

namespace varnokit::testing {

QString FakeDesktop::openFileName(QWidget*) {
    ++openDialogs;
    if (nextOpenNames.empty()) return {};
    QString name = nextOpenNames.front();
    nextOpenNames.pop_front();
    return name;
}

QString FakeDesktop::saveFileName(QWidget*, const QString& startName) {
    saveStartNames.append(startName);
    if (nextSaveNames.empty()) return {};
    QString name = nextSaveNames.front();
    nextSaveNames.pop_front();
    return name;
}

}  // namespace varnokit::testing
