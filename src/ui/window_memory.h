// What the window remembers between runs, in the user's settings
// (~/.config/Varnokit/Varnokit.conf): the last problem and report files,
// the recent problem files, the two options, the last puzzle typed, and
// whether the user has been told that no suitable font is installed.
#pragma once

#include <QSettings>
#include <QStringList>
#include <optional>

#include "ui/puzzle_snapshot.h"

namespace varnokit::ui {

class WindowMemory {
public:
    static constexpr int kRecentFiles = 8;

    WindowMemory();

    // --- Files ---
    QString problemFile() const;  // the problem file loaded or saved last
    void setProblemFile(const QString& fileName);  // also first in the recent files
    QString reportFile() const;
    void setReportFile(const QString& fileName);
    QStringList recentFiles() const;  // newest first
    void forgetRecentFile(const QString& fileName);

    // --- Options: the selected item of 終了音 and 結果出力 (0 when never chosen) ---
    int endSound() const;
    void setEndSound(int index);
    int resultOutput() const;
    void setResultOutput(int index);

    // --- The puzzle in the boxes when the window last closed ---
    std::optional<PuzzleSnapshot> lastPuzzle() const;
    void setLastPuzzle(const PuzzleSnapshot& puzzle);

    // --- Notices given once ---
    bool fontNoticeGiven() const;
    void setFontNoticeGiven(bool given);

    void clear();  // forget everything (the tests start from nothing)
    void sync();

private:
    QSettings settings_;
};

}  // namespace varnokit::ui
