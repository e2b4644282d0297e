// The menus added beside the design's File and Help items: every command of
// the window with its keyboard shortcut, the same shortcuts on the buttons'
// tooltips, and the plain keys that step through the solutions.
#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ui/main_window.h"
#include "ui/memo_box.h"

namespace varnokit::ui {
namespace {

// Keeps an action's enabled state equal to its button's, so a shortcut or a
// menu item can do exactly what a click on the button could do, and no more.
class FollowButton : public QObject {
public:
    FollowButton(QAction* action, QPushButton* button) : QObject(action), action_(action) {
        button->installEventFilter(this);
        action_->setEnabled(button->isEnabled());
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange)
            action_->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
        return false;
    }

private:
    QAction* action_;
};

void clickIfEnabled(QPushButton* button) {
    if (button->isEnabled()) button->click();
}

QAction* buttonAction(QMenu* menu, const QString& text, QPushButton* button,
                      const QList<QKeySequence>& keys = {}) {
    QAction* action = menu->addAction(text);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    new FollowButton(action, button);
    QObject::connect(action, &QAction::triggered, button, [button] { clickIfEnabled(button); });
    return action;
}

QString keyText(const QList<QKeySequence>& keys) {
    QStringList names;
    for (const QKeySequence& key : keys) names.append(key.toString(QKeySequence::NativeText));
    return names.join(QStringLiteral(", "));
}

// "解く (F5, Ctrl+Return)": what the button does and the keys that do it too.
void setTip(QPushButton* button, const QString& what, const QString& keys) {
    button->setToolTip(keys.isEmpty() ? what : QStringLiteral("%1 (%2)").arg(what, keys));
}

}  // namespace

void TForm1::buildCommandMenus() {
    // --- File: the file commands before the design's Exit ---
    openAction = buttonAction(File1, QStringLiteral("問題読込(&O)..."), Button8, {QKeySequence::Open});
    saveAction = buttonAction(File1, QStringLiteral("問題保存(&S)..."), Button9, {QKeySequence::Save});
    saveReportAction = buttonAction(File1, QStringLiteral("結果保存(&R)..."), Button10);
    recentMenu = new QMenu(QStringLiteral("最近使ったファイル(&F)"), File1);
    recentMenu->setObjectName(QStringLiteral("RecentMenu"));
    recentMenu->setToolTipsVisible(true);
    File1->addMenu(recentMenu);
    new FollowButton(recentMenu->menuAction(), Button8);  // loading, like 問題読込
    File1->addSeparator();
    File1->removeAction(Exit1);
    File1->addAction(Exit1);  // Exit stays last
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));  // not every key scheme has a Quit key

    // --- 編集 ---
    editMenu = new QMenu(QStringLiteral("編集(&E)"), MainMenu1);
    editMenu->setObjectName(QStringLiteral("EditMenu"));
    undoAction = editMenu->addAction(QStringLiteral("消去・読込を元に戻す(&U)"));
    undoAction->setShortcut(QKeySequence::Undo);
    clearAction = buttonAction(editMenu, QStringLiteral("消去(&C)"), Button2);
    editMenu->addSeparator();
    enlargeLogAction = editMenu->addAction(QStringLiteral("結果を大きく表示(&L)"));
    enlargeLogAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));

    // --- 解 ---
    solveMenu = new QMenu(QStringLiteral("解(&K)"), MainMenu1);
    solveMenu->setObjectName(QStringLiteral("SolveMenu"));
    solveAction = buttonAction(solveMenu, QStringLiteral("解く(&S)"), Button1,
                               {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_Return),
                                QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    abortAction = buttonAction(solveMenu, QStringLiteral("中止(&A)"), Button12, {QKeySequence(Qt::Key_Escape)});
    analyseAction = buttonAction(solveMenu, QStringLiteral("一意解(&U)"), Button11);
    solveMenu->addSeparator();
    firstAction = buttonAction(solveMenu, QStringLiteral("先頭の解(&F)"), Button4, {QKeySequence(Qt::ALT | Qt::Key_Home)});
    previousAction = buttonAction(solveMenu, QStringLiteral("前の解(&P)"), Button5, {QKeySequence(Qt::ALT | Qt::Key_Left)});
    nextAction = buttonAction(solveMenu, QStringLiteral("後の解(&N)"), Button6, {QKeySequence(Qt::ALT | Qt::Key_Right)});
    lastAction = buttonAction(solveMenu, QStringLiteral("最後の解(&L)"), Button7, {QKeySequence(Qt::ALT | Qt::Key_End)});

    MainMenu1->insertMenu(Help1->menuAction(), editMenu);
    MainMenu1->insertMenu(Help1->menuAction(), solveMenu);
    Help2->setShortcut(QKeySequence::HelpContents);

    // --- Tooltips: the keys of each command where the user looks for them ---
    setTip(Button1, QStringLiteral("問題を解く"), keyText(solveAction->shortcuts()));
    setTip(Button12, QStringLiteral("探索を中止"), keyText(abortAction->shortcuts()));
    setTip(Button8, QStringLiteral("問題ファイルを読み込む"), keyText(openAction->shortcuts()));
    setTip(Button9, QStringLiteral("問題をファイルに保存"), keyText(saveAction->shortcuts()));
    setTip(Button2, QStringLiteral("すべての欄を空にする。%1 で元に戻せます").arg(keyText(undoAction->shortcuts())), {});
    setTip(Button10, QStringLiteral("結果をファイルに保存"), {});
    setTip(Button11, QStringLiteral("どの条件・どの数字で解が一つになるかを調べる"), {});
    setTip(Button3, QStringLiteral("終了"), keyText(Exit1->shortcuts()));
    const QString home = QKeySequence(Qt::Key_Home).toString(QKeySequence::NativeText);
    const QString end = QKeySequence(Qt::Key_End).toString(QKeySequence::NativeText);
    const QString pageUp = QKeySequence(Qt::Key_PageUp).toString(QKeySequence::NativeText);
    const QString pageDown = QKeySequence(Qt::Key_PageDown).toString(QKeySequence::NativeText);
    setTip(Button4, QStringLiteral("先頭の解"), home + QStringLiteral(", ") + keyText(firstAction->shortcuts()));
    setTip(Button5, QStringLiteral("前の解"), pageUp + QStringLiteral(", ") + keyText(previousAction->shortcuts()));
    setTip(Button6, QStringLiteral("後の解"), pageDown + QStringLiteral(", ") + keyText(nextAction->shortcuts()));
    setTip(Button7, QStringLiteral("最後の解"), end + QStringLiteral(", ") + keyText(lastAction->shortcuts()));
    Memo3->setToolTip(QStringLiteral("ダブルクリックで大きく表示 (%1)").arg(keyText(enlargeLogAction->shortcuts())));
}

void TForm1::buildComposeMenu() {
    composeMenu = new QMenu(QStringLiteral("作問(&C)"), MainMenu1);
    composeMenu->setObjectName(QStringLiteral("ComposeMenu"));
    composeMenu->setToolTipsVisible(true);
    // Like 解く, they run with the progress bar and 中止, so they are
    // available exactly when 解く is; 最少の開示 works on the last Solve's
    // solutions, like 一意解.
    generateAction = composeMenu->addAction(QStringLiteral("作問(&G)..."));
    generateAction->setToolTip(QStringLiteral("大きさと種を選んで、解が一つで、これ以上隠せない問題を作る"));
    new FollowButton(generateAction, Button1);
    minimiseAction = composeMenu->addAction(QStringLiteral("一意のまま隠す(&M)..."));
    minimiseAction->setToolTip(QStringLiteral("解が一つのまま、見えている数字をできるだけ隠す"));
    new FollowButton(minimiseAction, Button1);
    repairAction = composeMenu->addAction(QStringLiteral("最少の開示(&R)"));
    repairAction->setToolTip(QStringLiteral("表示中の解だけが残るように、明かす数字をいちばん少なく選ぶ"));
    new FollowButton(repairAction, Button11);
    connect(generateAction, &QAction::triggered, this, &TForm1::openGenerateDialog);
    connect(minimiseAction, &QAction::triggered, this, &TForm1::openMinimiseDialog);
    connect(repairAction, &QAction::triggered, this, &TForm1::repairSolution);
    MainMenu1->insertMenu(Help1->menuAction(), composeMenu);
}

void TForm1::rebuildRecentMenu() {
    recentMenu->clear();
    const QStringList files = memory_.recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        QAction* action = recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
        action->setToolTip(file);
        action->setData(file);
        connect(action, &QAction::triggered, this, [this, file] {
            if (Button8->isEnabled()) loadProblemFile(file);
        });
    }
    if (files.isEmpty()) recentMenu->addAction(QStringLiteral("(なし)"))->setEnabled(false);
}

// Reached only when the focused control left the key alone: the text boxes
// keep Home, End and the page keys for their own cursor.
void TForm1::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        QPushButton* target = nullptr;
        switch (event->key()) {
        case Qt::Key_Home: target = Button4; break;
        case Qt::Key_PageUp: target = Button5; break;
        case Qt::Key_PageDown: target = Button6; break;
        case Qt::Key_End: target = Button7; break;
        default: break;
        }
        if (target) {
            clickIfEnabled(target);
            event->accept();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace varnokit::ui
