// varnokit: the window. Creates the application and the main window, which
// shows itself, and runs until the main window closes.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "ui/desktop.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnokit"));
    try {
        varnokit::ui::QtDesktop desktop;
        varnokit::ui::TForm1 window(desktop);
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Varnokit"), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Varnokit"), QString());
    }
    return 1;
}
