// Looks for the example puzzles relative to the program: an installed
// program lives in PREFIX/bin and its data in PREFIX/share/varnokit; a
// program built in build/PRESET/src/ui finds the source tree's examples.
#include "ui/install_paths.h"

#include <QDir>
#include <QFileInfo>

namespace varnokit::ui {

QString examplesFolder(const QString& programFolder) {
    const QDir program(programFolder);
    for (const char* relative : {"../share/varnokit/examples", "../../../../examples"}) {
        const QFileInfo candidate(program.filePath(QString::fromLatin1(relative)));
        if (candidate.isDir()) return candidate.canonicalFilePath();
    }
    return {};
}

}  // namespace varnokit::ui
