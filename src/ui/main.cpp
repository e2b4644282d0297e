// varnokit: the window. Answers --help and --version without opening it;
// otherwise creates the application and the main window, loads the problem
// file named on the command line, if any, and runs until the window closes.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <exception>

#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/translations.h"
#include "varnokit_version.h"

namespace {

const char* const kUsage =
    "usage: varnokit [FILE]\n"
    "\n"
    "Opens the Varnokit window, which solves long-division skeleton puzzles.\n"
    "FILE, a problem file, is loaded into the boxes as by \"問題読込\".\n"
    "\n"
    "  -h, --help   show this text\n"
    "  --version    show the version\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are accepted too. The command-line\n"
    "tool varnokit-cli solves problem files without the window.\n";

// --help and --version are answered before Qt starts, so that they work
// where no display is reachable. Returns -1 when the window should open.
int answerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("varnokit " VARNOKIT_VERSION "\n", stdout);
            return 0;
        }
    }
    return -1;
}

// The arguments Qt left: at most one file name, and no options.
bool fileArgument(const QStringList& arguments, QString& file) {
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (!optionsEnded && arg == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && arg.startsWith(u'-') && arg.size() > 1) {
            std::fprintf(stderr, "varnokit: unknown option '%s'\nTry 'varnokit --help'.\n", qPrintable(arg));
            return false;
        } else if (!file.isEmpty()) {
            std::fputs("varnokit: only one problem file can be opened\nTry 'varnokit --help'.\n", stderr);
            return false;
        } else {
            file = arg;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int answered = answerWithoutWindow(argc, argv); answered >= 0) return answered;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnokit"));
    QApplication::setApplicationVersion(QStringLiteral(VARNOKIT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.varnokit.Varnokit"));
    varnokit::ui::installQtTranslations();  // the file dialogs in Japanese, like the window
    QString file;
    if (!fileArgument(QApplication::arguments(), file)) return 2;
    try {
        varnokit::ui::QtDesktop desktop;
        varnokit::ui::TForm1 window(desktop);
        if (!file.isEmpty()) window.loadProblemFile(file);
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Varnokit"), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Varnokit"), QString());
    }
    return 1;
}
