// "解く": reads the boxes, runs the core's Solve with the window as its
// hooks, and closes the window afterwards if Exit arrived during the search.
#include <QApplication>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <algorithm>
#include <chrono>

#include "platform/memory_budget.h"
#include "solver/solve.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/radio_group.h"
#include "ui/text_edge.h"

namespace varnokit::ui {

// The window's side of a Solve: its boxes, buttons, progress bar and cursor.
class WindowHooks : public SolveHooks {
public:
    explicit WindowHooks(TForm1& window) : w_(window) {}
    ~WindowHooks() override { setBusyCursor(false); }

    void beginCommand() override {
        for (QPushButton* b : {w_.Button1, w_.Button2, w_.Button3, w_.Button4, w_.Button5, w_.Button6,
                               w_.Button7, w_.Button8, w_.Button9, w_.Button10, w_.Button11})
            b->setEnabled(false);
        w_.Button12->setEnabled(true);
        for (MemoBox* box : {w_.Memo2, w_.Memo3, w_.Memo5, w_.Memo8, w_.Memo9, w_.Memo11, w_.Memo12})
            box->clear();
        w_.maskTableBox->clear();
        w_.maskTableBox->hide();
    }
    void endCommand(bool canAnalyse) override {
        for (QPushButton* b : {w_.Button1, w_.Button2, w_.Button3, w_.Button8, w_.Button9, w_.Button10})
            b->setEnabled(true);
        w_.Button12->setEnabled(false);
        w_.Button11->setEnabled(canAnalyse);
    }
    void disableAbort() override { w_.Button12->setEnabled(false); }
    void scrollBodyToTop() override { w_.Memo1->scrollToTop(); }
    void scrollLogToTop() override { w_.Memo3->scrollToTop(); }
    void setBusyCursor(bool busy) override {
        if (busy == busy_) return;
        busy_ = busy;
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    void showMaskCount(int count) override { w_.Memo12->setPlainText(QString::number(count)); }
    void showSolutionCount(int64_t count) override { w_.Memo11->setPlainText(QString::number(count)); }
    void showFirstSolution() override {
        w_.state_.solutions.setCurrent(0);
        w_.showSolution();
    }

    void appendLog(const std::string& line) override { w_.Memo3->appendLine(fromCp932ForDisplay(line)); }

    // The bar, the count and the user's input at most ten times a second,
    // and not at all in a search shorter than that: showing the bar and
    // repainting it at each of the search's hundred progress steps once
    // made a short Solve take twice as long as its search.
    void progressReset() override {
        w_.ProgressBar1->setRange(0, 100);
        w_.ProgressBar1->setValue(0);
        steps_ = 0;
        lastInput_ = std::chrono::steady_clock::now();
    }
    void progressShow(bool visible) override {
        barWanted_ = visible;
        if (!visible) w_.ProgressBar1->setVisible(false);
    }
    void progressStep() override { ++steps_; }
    void processPendingInput() override {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastInput_ < std::chrono::milliseconds(100)) return;
        lastInput_ = now;
        if (barWanted_) {
            w_.ProgressBar1->setValue(std::min(steps_, w_.ProgressBar1->maximum()));
            w_.ProgressBar1->setVisible(true);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    void sleepMs(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }

    // The end-sound option is read when the Solve ends, not when it starts.
    void beep() override {
        if (w_.RadioGroup1->itemIndex() == 0) w_.desktop_.beep();
    }
    double now() override { return w_.desktop_.now(); }
    std::string formatStartTime(double when) override { return w_.desktop_.formatTime(when); }
    std::string clockDescription() override { return w_.desktop_.clockDescription(); }

private:
    TForm1& w_;
    bool busy_ = false;
    bool barWanted_ = false;  // the search runs: the bar shows at the next input
    int steps_ = 0;           // progress steps so far; the bar's value
    std::chrono::steady_clock::time_point lastInput_{};
};

bool TForm1::readPuzzleInput(PuzzleInput& input) {
    return boxText(Memo7, input.divisor) && boxText(Memo10, input.quotient) &&
           boxLines(Memo1, input.bodyLines) && boxText(Memo4, input.condition);
}

void TForm1::Button1Click() {
    if (searching_) return;
    PuzzleInput input;
    if (!readPuzzleInput(input)) return;  // nothing is solved with a substitute character
    // Kept now, in case the program is killed during the search.
    if (const PuzzleSnapshot typed = typedPuzzle(); !typed.isEmpty()) memory_.setLastPuzzle(typed);
    dropStartOffer();

    // The list may take what the machine can give now, the last Solve's
    // solutions released first.
    state_.solutions.reset();
    state_.solutions.setLimit(solutionLimitForThisMachine());
    WindowHooks hooks(*this);
    SolveOptions options;
    options.beep = true;  // the hook asks 終了音 at the end
    searching_ = true;
    solve(state_, input, hooks, options);
    searching_ = false;
    finishCommand();
}

// After 解く or a composer command: a close asked for meanwhile goes ahead
// now; otherwise the focus goes where the next key cannot change the
// puzzle (a digit typed now would land in whichever box the focus fell to).
void TForm1::finishCommand() {
    if (exitRequested_) {
        exitRequested_ = false;
        close();
        return;
    }
    Button1->setFocus();
}

}  // namespace varnokit::ui
