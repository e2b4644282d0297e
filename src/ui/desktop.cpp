// The real desktop services of the window.
#include "ui/desktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "solver/local_time.h"
#include "solver/processor_clock.h"

namespace varnokit::ui {

QString QtDesktop::openFileName(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent);
}

QString QtDesktop::saveFileName(QWidget* parent, const QString& startName) {
    // No filter, no default extension, and no question before an existing
    // file is replaced or extended: the result output option decides that.
    return QFileDialog::getSaveFileName(parent, QString(), startName, QString(), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void QtDesktop::showMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Varnokit"), text);
}

void QtDesktop::beep() { QApplication::beep(); }

// Time and clock come from the core, as the command-line tool's do, so the
// log reads the same whichever front end wrote it.
double QtDesktop::now() { return localNowDays(); }

std::string QtDesktop::formatTime(double when) { return formatLocalTime(when); }

std::string QtDesktop::clockDescription() { return varnokit::clockDescription(); }

}  // namespace varnokit::ui
