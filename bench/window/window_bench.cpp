// How much the window adds to a Solve: solves a problem file with the core
// alone (hooks that do nothing) and then through the window's 「解く」 on
// Qt's offscreen platform, each several times, and prints the best times and
// their ratio. Both use the window's engine (the fast one); the processor
// clock is not measured (it waits a second).
//
// usage: window_bench FILE [--repeat N]
#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <memory>
#include <string>

#include "files/problem_file.h"
#include "solver/solve.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/text_edge.h"

namespace {

using namespace varnokit;

class QuietHooks : public SolveHooks {
public:
    void appendLog(const std::string&) override {}
    double now() override { return 0; }
    std::string formatStartTime(double) override { return {}; }
    std::string clockDescription() override { return {}; }
};

class BenchDesktop : public ui::QtDesktop {
public:
    void beep() override {}
    std::string clockDescription() override { return "-"; }
};

double coreSeconds(const PuzzleInput& input) {
    auto state = std::make_unique<PuzzleState>();
    QuietHooks hooks;
    QElapsedTimer timer;
    timer.start();
    solve(*state, input, hooks, SolveOptions{false, SearchEngine::Fast});
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double windowSeconds(const ProblemBoxes& boxes, int64_t& count) {
    BenchDesktop desktop;
    ui::TForm1 window(desktop);
    window.Memo7->setPlainText(ui::fromCp932ForDisplay(boxes.divisor));
    window.Memo10->setPlainText(ui::fromCp932ForDisplay(boxes.quotient));
    window.Memo1->setLines(ui::fromCp932ForDisplay(boxes.body));
    window.Memo4->setPlainText(ui::fromCp932ForDisplay(boxes.condition));
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    window.Button1Click();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    count = window.state().solutions.count();
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string file;
    int repeat = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else {
            file = argv[i];
        }
    }
    ProblemBoxes boxes;
    if (file.empty() || readProblemFile(file, boxes) != FileStatus::Ok) {
        std::fprintf(stderr, "usage: window_bench FILE [--repeat N]\n");
        return 2;
    }
    const PuzzleInput input{boxes.divisor, boxes.quotient, boxes.body, boxes.condition};
    double core = 1e9, window = 1e9;
    int64_t count = 0;
    for (int i = 0; i < repeat; ++i) {
        core = std::min(core, coreSeconds(input));
        window = std::min(window, windowSeconds(boxes, count));
    }
    std::printf("%s: %lld solutions, core %.3f s, window %.3f s, window/core %.2f\n", file.c_str(),
                static_cast<long long>(count), core, window, window / core);
    return 0;
}
