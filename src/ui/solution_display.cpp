// Showing the current solution and the four buttons of "解移動".
#include <QPushButton>

#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/solution_pane.h"
#include "ui/text_edge.h"

namespace varnokit::ui {

void TForm1::showSolution() {
    const SolutionList& list = state_.solutions;
    const SolutionPaneText pane = solutionPaneText(state_, list.current());
    Memo5->setPlainText(QString::fromStdString(pane.sequence));
    Memo11->setPlainText(QString::fromStdString(pane.count));
    Memo9->setPlainText(QString::fromStdString(pane.divisor));
    Memo8->setPlainText(QString::fromStdString(pane.quotient));
    Memo2->clear();
    Memo2->appendLines(fromCp932ForDisplay(pane.body));
    Memo2->scrollToTop();
    showMaskTable();

    // First matching row wins: one solution, first, last, in between.
    bool first = true, prev = true, next = true, last = true;
    if (list.count() == 1) {
        first = prev = next = last = false;
    } else if (!list.hasPrev()) {
        first = prev = false;
    } else if (!list.hasNext()) {
        next = last = false;
    }
    Button4->setEnabled(first);
    Button5->setEnabled(prev);
    Button6->setEnabled(next);
    Button7->setEnabled(last);
}

void TForm1::Button4Click() {
    state_.solutions.setCurrent(0);
    showSolution();
}

void TForm1::Button5Click() {
    if (!state_.solutions.hasPrev()) return;
    state_.solutions.setCurrent(state_.solutions.current() - 1);
    showSolution();
}

void TForm1::Button6Click() {
    if (!state_.solutions.hasNext()) return;
    state_.solutions.setCurrent(state_.solutions.current() + 1);
    showSolution();
}

void TForm1::Button7Click() {
    state_.solutions.setCurrent(state_.solutions.count() - 1);
    showSolution();
}

}  // namespace varnokit::ui
