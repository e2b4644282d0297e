// Nothing typed is lost to "消去" or "問題読込": the puzzle they replace is
// kept, and undo puts it back. Undo swaps rather than drops, so the puzzle
// it replaces in turn can be brought back the same way.
#include <QAction>
#include <QFileInfo>

#include "ui/log_viewer.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"

namespace varnokit::ui {
namespace {

constexpr int kUndoDepth = 20;

}  // namespace

PuzzleSnapshot TForm1::typedPuzzle() const {
    return {Memo6->toPlainText(), Memo7->toPlainText(), Memo10->toPlainText(),
            Memo1->toPlainText(), Memo4->toPlainText(), currentFile_};
}

void TForm1::keepForUndo() {
    const PuzzleSnapshot now = typedPuzzle();
    if (now.isEmpty()) return;
    if (!undoStack_.isEmpty() && undoStack_.last().samePuzzle(now)) return;
    undoStack_.append(now);
    if (undoStack_.size() > kUndoDepth) undoStack_.removeFirst();
    undoAction->setEnabled(true);
}

void TForm1::undoReplace() {
    if (undoStack_.isEmpty()) return;
    const PuzzleSnapshot back = undoStack_.takeLast();
    const PuzzleSnapshot now = typedPuzzle();
    if (!now.isEmpty() && !now.samePuzzle(back)) undoStack_.append(now);
    putPuzzle(back);
    undoAction->setEnabled(!undoStack_.isEmpty());
    Memo7->setFocus();
}

void TForm1::putPuzzle(const PuzzleSnapshot& puzzle) {
    Memo6->setPlainText(puzzle.notes);
    Memo7->setPlainText(puzzle.divisor);
    Memo10->setPlainText(puzzle.quotient);
    Memo1->setPlainText(puzzle.body);
    Memo4->setPlainText(puzzle.condition);
    Memo6->scrollToTop();
    Memo1->scrollToTop();
    setCurrentFile(puzzle.fileName);
}

void TForm1::setCurrentFile(const QString& fileName) {
    currentFile_ = fileName;
    setWindowTitle(fileName.isEmpty()
                       ? QStringLiteral("Varnokit")
                       : QStringLiteral("%1 - Varnokit").arg(QFileInfo(fileName).fileName()));
}

void TForm1::showLogViewer() {
    if (!logViewer_) logViewer_ = new LogViewer(Memo3, this);
    logViewer_->showLog();
}

}  // namespace varnokit::ui
