// A desktop for the window tests: file names and answers queued in advance,
// messages and beeps recorded, a fixed clock.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/desktop.h"

namespace varnokit::testing {

class FakeDesktop : public ui::Desktop {
public:
    // --- Set up by the test ---
    std::deque<QString> nextOpenNames;  // an empty name is a cancelled dialog
    std::deque<QString> nextSaveNames;
    std::deque<bool> answers;           // to askYesNo; none left is No
    std::string clockText = "2596 MHz";
    double clock = 46000.5;             // 2025-12-09 12:00:00
    // Fills in a settings dialog and says whether OK was pressed; unset: Cancel.
    std::function<bool(QDialog*)> onDialog;

    // --- Recorded ---
    QStringList messages;
    QStringList saveStartNames;         // the name each save dialog started with
    QStringList saveTitles;
    QStringList openStartPaths;
    QStringList questions;
    int beeps = 0;
    int openDialogs = 0;
    int settingsDialogs = 0;

    QString openFileName(QWidget*, const QString& startPath) override;
    QString saveFileName(QWidget*, const QString& title, const QString& startName) override;
    void showMessage(QWidget*, const QString& text) override { messages.append(text); }
    bool askYesNo(QWidget*, const QString& question) override;
    bool runDialog(QDialog* dialog) override {
        ++settingsDialogs;
        return onDialog ? onDialog(dialog) : false;
    }
    void beep() override { ++beeps; }
    double now() override { return clock; }
    std::string formatTime(double) override { return "2025/12/09 12:00:00"; }
    std::string clockDescription() override { return clockText; }
};

}  // namespace varnokit::testing
