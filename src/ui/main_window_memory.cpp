// What the window keeps between runs (WindowMemory) and where it opens.
#include <QAction>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/radio_group.h"
#include "ui/screen_fit.h"

namespace varnokit::ui {

void TForm1::restoreMemory() {
    RadioGroup1->setItemIndex(memory_.endSound());
    RadioGroup2->setItemIndex(memory_.resultOutput());
    for (int i = 0; i < 2; ++i) {
        connect(RadioGroup1->item(i), &QRadioButton::clicked, this,
                [this] { memory_.setEndSound(RadioGroup1->itemIndex()); });
        connect(RadioGroup2->item(i), &QRadioButton::clicked, this,
                [this] { memory_.setResultOutput(RadioGroup2->itemIndex()); });
    }
    rebuildRecentMenu();

    // The last run's puzzle waits behind undo: offered, never in the way.
    if (const std::optional<PuzzleSnapshot> last = memory_.lastPuzzle()) {
        undoStack_.append(*last);
        undoAction->setEnabled(true);
        Memo3->setPlaceholderText(
            QStringLiteral("前回の問題は %1（編集 > 消去・読込を元に戻す）で戻せます。")
                .arg(undoAction->shortcut().toString(QKeySequence::NativeText)));
    }
}

void TForm1::dropStartOffer() { Memo3->setPlaceholderText(QString()); }

// The boxes as they are, or when they are empty what they last held.
void TForm1::rememberOnClose() {
    PuzzleSnapshot puzzle = typedPuzzle();
    if (puzzle.isEmpty() && !undoStack_.isEmpty()) puzzle = undoStack_.last();
    if (!puzzle.isEmpty()) memory_.setLastPuzzle(puzzle);
    memory_.setEndSound(RadioGroup1->itemIndex());
    memory_.setResultOutput(RadioGroup2->itemIndex());
    memory_.sync();
}

void TForm1::rememberProblemFile(const QString& fileName) {
    memory_.setProblemFile(fileName);
    rebuildRecentMenu();
}

void TForm1::forgetRecentFile(const QString& fileName) {
    memory_.forgetRecentFile(fileName);
    rebuildRecentMenu();
}

void TForm1::placeOnScreen() {
    const QPoint design = pos();
    QScreen* screen = QGuiApplication::screenAt(design);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect frame(design, frameGeometry().size());
    const QPoint place = fittedPosition(frame, screen->availableGeometry());
    if (place != design) move(place);
}

}  // namespace varnokit::ui
