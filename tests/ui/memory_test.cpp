// Nothing typed or saved is lost, and the window remembers between runs:
// the question before a file is replaced, the separate problem and report
// names with their ".txt", the settings read back by the next window (in
// the tests' own settings folder), and the window placed on the screen.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ui/radio_group.h"
#include "ui/screen_fit.h"
#include "window_fixture.h"

using varnokit::testing::Settings;
using varnokit::testing::WindowFixture;
using varnokit::ui::TForm1;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void typePuzzle(TForm1& w) {
    w.Memo6->setPlainText(QStringLiteral("注釈\n 二行目"));
    w.Memo7->setPlainText(QStringLiteral(" 12"));
    w.Memo10->setPlainText(QStringLiteral("78"));
    w.Memo1->setPlainText(QStringLiteral("936\n84\n 96\n 96\n0\n"));
    w.Memo4->setPlainText(QStringLiteral("5"));
}

QString boxes(TForm1& w) {
    return QStringList{w.Memo6->toPlainText(), w.Memo7->toPlainText(), w.Memo10->toPlainText(),
                       w.Memo1->toPlainText(), w.Memo4->toPlainText()}
        .join(u'|');
}

QStringList recentEntries(TForm1& w) {
    QStringList out;
    for (QAction* a : w.recentMenu->actions())
        if (a->isEnabled()) out.append(a->data().toString());
    return out;
}

}  // namespace

class MemoryTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        temp = std::make_unique<QTemporaryDir>();
        QVERIFY(temp->isValid());
    }
    void problemAndReportNamesAreKeptApart();
    void replacingAFileIsAlwaysAskedFirst();
    void settingsComeBackInTheNextWindow();
    void lastPuzzleIsOfferedBackWithoutAQuestion();
    void recentFilesLoadAndForgetMissingOnes();
    void windowIsMovedFullyOntoTheScreen();

private:
    std::unique_ptr<QTemporaryDir> temp;
    QString path(const char* name) const { return temp->filePath(QString::fromUtf8(name)); }
};

void MemoryTest::problemAndReportNamesAreKeptApart() {
    WindowFixture f;
    typePuzzle(f.w());
    // A name without an extension gets ".txt"; the title names the file.
    f.desktop.nextSaveNames = {path("puzzle")};
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QVERIFY(QFile::exists(path("puzzle.txt")));
    QVERIFY(!QFile::exists(path("puzzle")));
    QCOMPARE(f.w().windowTitle(), QStringLiteral("puzzle.txt - Varnokit"));
    QCOMPARE(f.desktop.saveTitles.last(), QStringLiteral("問題保存"));

    // The report starts in the problem's folder, never on the problem file.
    f.w().Button10->setEnabled(true);
    f.desktop.nextSaveNames = {path("report")};
    QTest::mouseClick(f.w().Button10, Qt::LeftButton);
    QCOMPARE(f.desktop.saveStartNames.last(), temp->path() + QLatin1Char('/'));
    QCOMPARE(f.desktop.saveTitles.last(), QStringLiteral("結果保存"));
    QVERIFY(QFile::exists(path("report.txt")));

    // From then on each dialog starts at its own file.
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);  // cancelled
    QCOMPARE(f.desktop.saveStartNames.last(), path("puzzle.txt"));
    QTest::mouseClick(f.w().Button10, Qt::LeftButton);
    QCOMPARE(f.desktop.saveStartNames.last(), path("report.txt"));
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    QCOMPARE(f.desktop.openStartPaths.last(), path("puzzle.txt"));

    // An existing file without an extension, picked in the dialog, is used as it is.
    writeAll(path("plain"), "old");
    f.desktop.nextSaveNames = {path("plain")};
    f.desktop.answers = {true};
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QVERIFY(readAll(path("plain")).startsWith("<!--comment"));
    QVERIFY(!QFile::exists(path("plain.txt")));
}

void MemoryTest::replacingAFileIsAlwaysAskedFirst() {
    WindowFixture f;
    typePuzzle(f.w());
    writeAll(path("report.txt"), "a report");
    f.desktop.nextSaveNames = {path("report.txt"), path("report.txt")};
    f.desktop.answers = {false, true};
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QCOMPARE(f.desktop.questions.size(), 1);
    QVERIFY(f.desktop.questions.first().contains(QStringLiteral("report.txt")));
    QCOMPARE(readAll(path("report.txt")), QByteArray("a report"));  // No: untouched
    QCOMPARE(f.w().windowTitle(), QStringLiteral("Varnokit"));
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QVERIFY(readAll(path("report.txt")).startsWith("<!--comment"));  // Yes: replaced

    // A name that gains ".txt" is asked about under its final name.
    writeAll(path("other.txt"), "keep");
    f.desktop.nextSaveNames = {path("other")};
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QCOMPARE(f.desktop.questions.size(), 3);
    QVERIFY(f.desktop.questions.last().contains(QStringLiteral("other.txt")));
    QCOMPARE(readAll(path("other.txt")), QByteArray("keep"));

    // A new file needs no question; neither do 消去, 問題読込 and 終了.
    f.desktop.nextSaveNames = {path("new.txt")};
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QVERIFY(QFile::exists(path("new.txt")));
    f.desktop.nextOpenNames = {path("new.txt")};
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    QTest::mouseClick(f.w().Button2, Qt::LeftButton);
    typePuzzle(f.w());
    f.w().close();
    QCOMPARE(f.desktop.questions.size(), 3);
    QVERIFY(!f.w().isVisible());
}

void MemoryTest::settingsComeBackInTheNextWindow() {
    writeAll(path("p.txt"), "12\r\n78\r\n936\r\n");
    {
        WindowFixture a;
        a.w().RadioGroup1->item(1)->click();  // 無
        a.w().RadioGroup2->item(1)->click();  // 上書
        a.desktop.nextOpenNames = {path("p.txt")};
        QTest::mouseClick(a.w().Button8, Qt::LeftButton);
        a.w().Button10->setEnabled(true);
        a.desktop.nextSaveNames = {path("r.txt")};
        QTest::mouseClick(a.w().Button10, Qt::LeftButton);
        a.w().close();
    }
    WindowFixture b(Settings::Keep);
    QCOMPARE(b.w().RadioGroup1->itemIndex(), 1);
    QCOMPARE(b.w().RadioGroup2->itemIndex(), 1);
    QCOMPARE(recentEntries(b.w()), QStringList{path("p.txt")});
    QTest::mouseClick(b.w().Button8, Qt::LeftButton);
    QCOMPARE(b.desktop.openStartPaths.last(), path("p.txt"));
    b.w().Button10->setEnabled(true);
    QTest::mouseClick(b.w().Button10, Qt::LeftButton);
    QCOMPARE(b.desktop.saveStartNames.last(), path("r.txt"));
    // The design's start-up state otherwise: empty boxes, the plain title.
    QCOMPARE(boxes(b.w()), QStringLiteral("||||"));
    QCOMPARE(b.w().windowTitle(), QStringLiteral("Varnokit"));

    // An option changed and the window closed by the program's end are kept too.
    b.w().RadioGroup1->item(0)->click();
    WindowFixture c(Settings::Keep);
    QCOMPARE(c.w().RadioGroup1->itemIndex(), 0);
    QCOMPARE(c.w().RadioGroup2->itemIndex(), 1);

    // A fresh start selects the first items, as the design does.
    WindowFixture d;
    QCOMPARE(d.w().RadioGroup1->itemIndex(), 0);
    QCOMPARE(d.w().RadioGroup2->itemIndex(), 0);
    QVERIFY(recentEntries(d.w()).isEmpty());
}

void MemoryTest::lastPuzzleIsOfferedBackWithoutAQuestion() {
    QString typed;
    {
        WindowFixture a;
        typePuzzle(a.w());
        typed = boxes(a.w());
        a.w().close();
        QVERIFY(a.desktop.questions.isEmpty() && a.desktop.messages.isEmpty());
    }
    {
        WindowFixture b(Settings::Keep);
        QCOMPARE(boxes(b.w()), QStringLiteral("||||"));  // offered, not forced
        QVERIFY(b.w().Memo3->toPlainText().isEmpty());
        QVERIFY(b.w().Memo3->placeholderText().contains(QStringLiteral("前回の問題")));
        QVERIFY(b.w().undoAction->isEnabled());
        QVERIFY(b.desktop.questions.isEmpty() && b.desktop.messages.isEmpty());
        // Cleared before the end: what was cleared is what the next run offers.
        b.w().undoAction->trigger();
        QCOMPARE(boxes(b.w()), typed);
        QVERIFY(b.w().Memo3->placeholderText().isEmpty());
        QTest::mouseClick(b.w().Button2, Qt::LeftButton);
        b.w().close();
    }
    {
        WindowFixture c(Settings::Keep);
        c.w().undoAction->trigger();
        QCOMPARE(boxes(c.w()), typed);
        // A run that types nothing and restores nothing passes the puzzle on.
    }
    WindowFixture d(Settings::Keep);
    d.w().close();
    WindowFixture e(Settings::Keep);
    e.w().undoAction->trigger();
    QCOMPARE(boxes(e.w()), typed);
}

void MemoryTest::recentFilesLoadAndForgetMissingOnes() {
    WindowFixture f;
    for (const char* name : {"a.txt", "b.txt"}) {
        writeAll(path(name), QByteArray(name).left(1) == "a" ? "11\r\n22\r\n" : "33\r\n44\r\n");
        f.desktop.nextOpenNames = {path(name)};
        QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    }
    QCOMPARE(recentEntries(f.w()), (QStringList{path("b.txt"), path("a.txt")}));
    f.w().recentMenu->actions().at(1)->trigger();  // a.txt
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("11"));
    QCOMPARE(recentEntries(f.w()), (QStringList{path("a.txt"), path("b.txt")}));

    QFile::remove(path("b.txt"));
    f.w().recentMenu->actions().at(1)->trigger();
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("入力ファイルを開けません")});
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("11"));
    QCOMPARE(recentEntries(f.w()), QStringList{path("a.txt")});

    // Like 問題読込, the menu does nothing while the button is disabled (a search runs).
    f.w().Button8->setEnabled(false);
    QVERIFY(!f.w().recentMenu->menuAction()->isEnabled());
}

void MemoryTest::windowIsMovedFullyOntoTheScreen() {
    using varnokit::ui::fittedPosition;
    const QRect screen(0, 0, 1366, 768);
    // Where it fits, the window stays where it is.
    QCOMPARE(fittedPosition(QRect(461, 299, 650, 460), screen), QPoint(461, 299));
    // Too low or too far right: moved just enough.
    QCOMPARE(fittedPosition(QRect(461, 299, 650, 500), screen), QPoint(461, 268));
    QCOMPARE(fittedPosition(QRect(900, 10, 650, 500), screen), QPoint(716, 10));
    QCOMPARE(fittedPosition(QRect(-40, -5, 650, 500), screen), QPoint(0, 0));
    // At twice the scale a 1280 × 1024 screen is 640 × 512: larger than it, top left.
    QCOMPARE(fittedPosition(QRect(461, 299, 650, 473), QRect(0, 0, 640, 512)), QPoint(0, 39));
    QCOMPARE(fittedPosition(QRect(461, 299, 650, 473), QRect(100, 20, 600, 400)), QPoint(100, 20));

    // The offscreen screen (800 × 600) cannot hold the design position.
    WindowFixture f;
    QTest::qWait(0);  // the second look, once the frame is known
    const QRect available = f.w().screen()->availableGeometry();
    QVERIFY2(available.contains(f.w().frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(f.w().frameGeometry().x())
                            .arg(f.w().frameGeometry().y())
                            .arg(f.w().frameGeometry().width())
                            .arg(f.w().frameGeometry().height())));
}

int runMemoryTests(int argc, char** argv) {
    MemoryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "memory_test.moc"
