// The real desktop services of the window.
#include "ui/desktop.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "solver/local_time.h"
#include "solver/processor_clock.h"
#include "ui/install_paths.h"

namespace varnokit::ui {

namespace {

// Problem files and reports are text files; ".txt" also keeps file managers
// from taking a problem file (it starts with "<!--") for HTML.
const QString kFileFilter = QStringLiteral("テキスト ファイル (*.txt);;すべてのファイル (*)");

}  // namespace

QString QtDesktop::openFileName(QWidget* parent, const QString& startPath) {
    // With nothing remembered yet, the dialog opens at the bundled examples.
    const QString start = startPath.isEmpty() ? examplesFolder(QApplication::applicationDirPath()) : startPath;
    return QFileDialog::getOpenFileName(parent, QStringLiteral("問題読込"), start, kFileFilter);
}

QString QtDesktop::saveFileName(QWidget* parent, const QString& title, const QString& startName) {
    // The window adds the default extension and asks before replacing a
    // file, so the dialog does neither (it would ask about the name before
    // the extension is added).
    return QFileDialog::getSaveFileName(parent, title, startName, kFileFilter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool Desktop::runDialog(QDialog* dialog) { return dialog->exec() == QDialog::Accepted; }

void QtDesktop::showMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Varnokit"), text);
}

bool QtDesktop::askYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, QStringLiteral("Varnokit"), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void QtDesktop::beep() { QApplication::beep(); }

// Time and clock come from the core, as the command-line tool's do, so the
// log reads the same whichever front end wrote it.
double QtDesktop::now() { return localNowDays(); }

std::string QtDesktop::formatTime(double when) { return formatLocalTime(when); }

std::string QtDesktop::clockDescription() { return varnokit::clockDescription(); }

}  // namespace varnokit::ui
