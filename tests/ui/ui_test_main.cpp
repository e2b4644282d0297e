// Runs every window test class on the offscreen platform (unless a display
// platform was asked for) and returns the number of failed classes.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

int runLayoutTests(int argc, char** argv);
int runCommandTests(int argc, char** argv);
int runNavigationTests(int argc, char** argv);
int runFileCommandTests(int argc, char** argv);
int runSolveCommandTests(int argc, char** argv);
int runKeyboardTests(int argc, char** argv);
int runMemoryTests(int argc, char** argv);
int runFontsTests(int argc, char** argv);
int runComposeCommandTests(int argc, char** argv);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window's memory goes to a folder of its own, never the user's settings.
    QTemporaryDir settings;
    if (!settings.isValid()) return 1;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    int failed = 0;
    for (auto run : {runLayoutTests, runCommandTests, runNavigationTests, runFileCommandTests,
                      runSolveCommandTests, runKeyboardTests, runMemoryTests, runFontsTests,
                      runComposeCommandTests})
        failed += run(argc, argv) != 0 ? 1 : 0;
    return failed;
}
