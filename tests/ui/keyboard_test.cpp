// The window from the keyboard: the shortcuts of the commands, the keys
// that step through the solutions (and leave the text boxes their own
// keys), the focus after a Solve, undo of "消去" and "問題読込", and the
// enlarged result log.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ui/guide_viewer.h"
#include "ui/log_viewer.h"
#include "window_fixture.h"

using varnokit::testing::WindowFixture;
using varnokit::testing::storeWorkedExampleSolutions;
using varnokit::ui::MemoBox;
using varnokit::ui::TForm1;

namespace {

void typeWorkedExample(TForm1& w) {
    w.Memo7->setPlainText(QStringLiteral("12"));
    w.Memo10->setPlainText(QStringLiteral("78"));
    w.Memo1->setPlainText(QStringLiteral("936\n84\n 96\n 96\n0"));
}

// Shortcuts act only in the active window.
void activate(TForm1& w) {
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    target->setFocus();
    QTest::keyClick(target, key, modifiers);
}

QString boxes(TForm1& w) {
    return QStringList{w.Memo6->toPlainText(), w.Memo7->toPlainText(), w.Memo10->toPlainText(),
                       w.Memo1->toPlainText(), w.Memo4->toPlainText()}
        .join(u'|');
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void solveKeysWorkFromTheBoxesAndLeaveFocusOnSolve();
    void fileHelpAndExitKeys();
    void solutionKeysStepOnlyWhereTheyAreFree();
    void escapeStopsTheSearch();
    void tooltipsNameTheKeys();
    void undoBringsBackWhatClearAndLoadReplaced();
    void resultLogOpensLarge();
};

void KeyboardTest::solveKeysWorkFromTheBoxesAndLeaveFocusOnSolve() {
    WindowFixture f;
    activate(f.w());
    typeWorkedExample(f.w());
    const QString body = f.w().Memo1->toPlainText();

    press(f.w().Memo1, Qt::Key_F5);
    QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("一意解です。")));
    QCOMPARE(f.w().focusWidget(), f.w().Button1);

    // Ctrl+Enter in the body box solves and inserts no line break.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        f.w().Memo3->clear();
        press(f.w().Memo1, key, Qt::ControlModifier);
        QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("一意解です。")));
        QCOMPARE(f.w().Memo1->toPlainText(), body);
        QCOMPARE(f.w().focusWidget(), f.w().Button1);
    }

    // A digit typed right after a Solve changes no box; a rejected Solve
    // leaves the focus on 解く as well.
    f.w().Memo4->setFocus();
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);
    QCOMPARE(f.w().focusWidget(), f.w().Button1);
    QTest::keyClicks(f.w().focusWidget(), "5");
    QVERIFY(f.w().Memo4->toPlainText().isEmpty());
    f.w().Memo7->clear();
    press(f.w().Memo4, Qt::Key_F5);
    QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("解はありません。")));
    QCOMPARE(f.w().focusWidget(), f.w().Button1);
}

void KeyboardTest::fileHelpAndExitKeys() {
    WindowFixture f;
    activate(f.w());
    press(f.w().Memo7, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.desktop.openDialogs, 1);
    press(f.w().Memo1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.desktop.saveStartNames.size(), 1);
    press(f.w().Memo1, Qt::Key_F1);
    QVERIFY(f.w().guideViewer() && f.w().guideViewer()->isVisible());
    activate(f.w());
    press(f.w().Button1, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!f.w().isVisible());
}

void KeyboardTest::solutionKeysStepOnlyWhereTheyAreFree() {
    WindowFixture f;
    activate(f.w());
    storeWorkedExampleSolutions(f.w().state(), {{12, 78}, {13, 72}, {14, 67}});
    f.w().showSolution();
    auto shown = [&] { return f.w().Memo5->toPlainText(); };

    // On a button the plain keys step; Alt with the arrows works anywhere.
    const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; const char* expected; } steps[] = {
        {Qt::Key_PageDown, Qt::NoModifier, "2"}, {Qt::Key_End, Qt::NoModifier, "3"},
        {Qt::Key_PageDown, Qt::NoModifier, "3"}, {Qt::Key_PageUp, Qt::NoModifier, "2"},
        {Qt::Key_Home, Qt::NoModifier, "1"},     {Qt::Key_PageUp, Qt::NoModifier, "1"},
        {Qt::Key_Right, Qt::AltModifier, "2"},   {Qt::Key_Left, Qt::AltModifier, "1"},
        {Qt::Key_End, Qt::AltModifier, "3"},     {Qt::Key_Home, Qt::AltModifier, "1"},
    };
    for (const auto& s : steps) {
        press(f.w().Button1, s.key, s.modifiers);
        QCOMPARE(shown(), QString::fromLatin1(s.expected));
    }

    // In a text box Home, End and the page keys move the cursor instead.
    f.w().Memo1->setPlainText(QStringLiteral("abc\ndef"));
    QTextCursor start(f.w().Memo1->document());
    f.w().Memo1->setTextCursor(start);
    press(f.w().Memo1, Qt::Key_End);
    QCOMPARE(f.w().Memo1->textCursor().position(), 3);
    press(f.w().Memo1, Qt::Key_PageDown);
    press(f.w().Memo1, Qt::Key_Home);
    QCOMPARE(shown(), QStringLiteral("1"));
    QCOMPARE(f.w().Memo1->textCursor().position(), 4);  // start of the second line
    QCOMPARE(f.w().Memo1->toPlainText(), QStringLiteral("abc\ndef"));
    press(f.w().Memo1, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(shown(), QStringLiteral("2"));

    // The navigation buttons still take no tab stop, and a lone solution
    // leaves the keys nothing to do.
    for (QPushButton* b : {f.w().Button4, f.w().Button5, f.w().Button6, f.w().Button7})
        QVERIFY(!(b->focusPolicy() & Qt::TabFocus));
    storeWorkedExampleSolutions(f.w().state(), {{12, 78}});
    f.w().showSolution();
    press(f.w().Button1, Qt::Key_PageDown);
    press(f.w().Button1, Qt::Key_End);
    QCOMPARE(shown(), QStringLiteral("1"));
}

void KeyboardTest::escapeStopsTheSearch() {
    WindowFixture f;
    activate(f.w());
    varnokit::testing::typeEndlessSearch(f.w());
    // Runs when the search first lets input through.
    QTimer::singleShot(0, [&] {
        QVERIFY(f.w().isSearching());
        QTest::keyClick(f.w().Memo1, Qt::Key_Escape);
    });
    press(f.w().Memo1, Qt::Key_F5);
    QVERIFY(!f.w().isSearching());
    QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("中止されました！")));
    // Esc with no search running does nothing.
    const QString log = f.w().Memo3->toPlainText();
    press(f.w().Button1, Qt::Key_Escape);
    QCOMPARE(f.w().Memo3->toPlainText(), log);
}

void KeyboardTest::tooltipsNameTheKeys() {
    WindowFixture f;
    auto native = [](QKeySequence key) { return key.toString(QKeySequence::NativeText); };
    const struct { QPushButton* button; QKeySequence key; } tips[] = {
        {f.w().Button1, QKeySequence(Qt::Key_F5)},       {f.w().Button12, QKeySequence(Qt::Key_Escape)},
        {f.w().Button8, QKeySequence::Open},             {f.w().Button9, QKeySequence::Save},
        {f.w().Button3, QKeySequence(Qt::CTRL | Qt::Key_Q)},            {f.w().Button2, QKeySequence::Undo},
        {f.w().Button4, QKeySequence(Qt::Key_Home)},     {f.w().Button5, QKeySequence(Qt::Key_PageUp)},
        {f.w().Button6, QKeySequence(Qt::Key_PageDown)}, {f.w().Button7, QKeySequence(Qt::Key_End)},
    };
    for (const auto& t : tips)
        QVERIFY2(t.button->toolTip().contains(native(t.key)), qPrintable(t.button->toolTip()));
    QVERIFY(f.w().solveAction->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Return)));
    QCOMPARE(f.w().Help2->shortcut(), QKeySequence(QKeySequence::HelpContents));
}

void KeyboardTest::undoBringsBackWhatClearAndLoadReplaced() {
    WindowFixture f;
    activate(f.w());
    QVERIFY(!f.w().undoAction->isEnabled());
    typeWorkedExample(f.w());
    f.w().Memo6->setPlainText(QStringLiteral("メモ"));
    f.w().Memo4->setPlainText(QStringLiteral("5"));
    const QString typed = boxes(f.w());

    QTest::mouseClick(f.w().Button2, Qt::LeftButton);  // 消去; the focus goes to the divisor box
    QCOMPARE(boxes(f.w()), QStringLiteral("||||"));
    QVERIFY(f.w().undoAction->isEnabled());
    QTest::keyClick(f.w().focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(boxes(f.w()), typed);
    QVERIFY(!f.w().undoAction->isEnabled());

    // Loading over the typed puzzle: undo brings the typed one back, and
    // undo again the loaded one, so neither is ever lost.
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("p.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("34\r\n56\r\n789\r\n");
    file.close();
    f.desktop.nextOpenNames.push_back(path);
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    const QString loaded = boxes(f.w());
    QCOMPARE(loaded, QStringLiteral("|34|56|789|"));
    QCOMPARE(f.w().windowTitle(), QStringLiteral("p.txt - Varnokit"));
    f.w().undoAction->trigger();
    QCOMPARE(boxes(f.w()), typed);
    QCOMPARE(f.w().windowTitle(), QStringLiteral("Varnokit"));
    f.w().undoAction->trigger();
    QCOMPARE(boxes(f.w()), loaded);
    QCOMPARE(f.w().windowTitle(), QStringLiteral("p.txt - Varnokit"));

    // Typing is undone by the box first; only then does Ctrl+Z reach the window.
    press(f.w().Memo7, Qt::Key_End);
    QTest::keyClicks(f.w().Memo7, "9");
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("349"));
    QTest::keyClick(f.w().Memo7, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("34"));
    QCOMPARE(boxes(f.w()), loaded);
    QTest::keyClick(f.w().Memo7, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(boxes(f.w()), typed);

    // Clearing empty boxes keeps nothing worth undoing.
    QTest::mouseClick(f.w().Button2, Qt::LeftButton);
    QTest::mouseClick(f.w().Button2, Qt::LeftButton);
    f.w().undoAction->trigger();
    QCOMPARE(boxes(f.w()), typed);
}

void KeyboardTest::resultLogOpensLarge() {
    WindowFixture f;
    QVERIFY(!f.w().logViewer());
    for (int i = 0; i < 30; ++i) f.w().Memo3->appendLine(QStringLiteral("行 %1").arg(i));
    QTest::mouseDClick(f.w().Memo3->viewport(), Qt::LeftButton);
    auto* viewer = f.w().logViewer();
    QVERIFY(viewer && viewer->isVisible() && viewer->isWindow());
    QCOMPARE(viewer->view()->toPlainText(), f.w().Memo3->toPlainText());
    QVERIFY(viewer->minimumSize() != viewer->maximumSize());  // resizable
    QVERIFY(viewer->view()->isReadOnly());

    // It follows the log while it is open, and the menu item opens the same window.
    f.w().Memo3->appendLine(QStringLiteral("追加の行"));
    QTRY_COMPARE(viewer->view()->toPlainText(), f.w().Memo3->toPlainText());
    viewer->close();
    f.w().enlargeLogAction->trigger();
    QCOMPARE(f.w().logViewer(), viewer);
    QVERIFY(viewer->isVisible());
}

int runKeyboardTests(int argc, char** argv) {
    KeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "keyboard_test.moc"
