// Where the window finds the files that come with it: the example puzzles,
// installed under PREFIX/share/varnokit, or beside the sources when it runs
// from a build folder.
#pragma once

#include <QString>

namespace varnokit::ui {

// The folder of the bundled example puzzles, or an empty string when none
// is found. `programFolder` is the folder of the running program.
QString examplesFolder(const QString& programFolder);

}  // namespace varnokit::ui
