// The real desktop services of the window.
#include "ui/desktop.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>

namespace varnokit::ui {
namespace {

const QDateTime& dayZero() {
    static const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
    return zero;
}

}  // namespace

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

double QtDesktop::now() {
    // Local wall-clock time, counted from the same day zero as the log's.
    const QDateTime local = QDateTime::currentDateTime();
    const qint64 ms = dayZero().msecsTo(QDateTime(local.date(), local.time()));
    return static_cast<double>(ms) / 86400000.0;
}

std::string QtDesktop::formatTime(double when) {
    const qint64 ms = static_cast<qint64>(when * 86400000.0 + 0.5);
    const QString text = dayZero().addMSecs(ms).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    return text.toStdString();  // digits, '/', ':' and a blank: the same bytes in cp932
}

}  // namespace varnokit::ui
