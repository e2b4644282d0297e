// "解く" end to end through the window: the log, the pane, the buttons, the
// progress bar and cursor, the beep, Abort and Exit during a search, and a
// character that cp932 cannot hold. Answers come from the bundled puzzles.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "ui/radio_group.h"
#include "window_fixture.h"

using varnokit::testing::WindowFixture;
using varnokit::testing::navigationState;
using varnokit::testing::typeEndlessSearch;

namespace {

const QString kTiming = QStringLiteral("  所要時間: 0.001秒(2596 MHz)");  // fake clock: no time passes

QString puzzleFile(const char* name) {
    return QString::fromUtf8(VARNOKIT_PUZZLE_DIR) + QLatin1Char('/') + QString::fromUtf8(name);
}

QJsonArray knownSolutions(const char* jsonName) {
    QFile file(puzzleFile(jsonName));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("solutions")).toArray();
}

// Loads a bundled puzzle file through "問題読込", as a user would.
void load(WindowFixture& f, const QString& path) {
    f.desktop.nextOpenNames.push_back(path);
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
}

QString enabledCommands(varnokit::ui::TForm1& w) {
    QString out;
    for (QPushButton* b : {w.Button1, w.Button2, w.Button3, w.Button8, w.Button9, w.Button10,
                           w.Button11, w.Button12})
        out.append(b->isEnabled() ? u'+' : u'-');
    return out;
}

}  // namespace

class SolveCommandTest : public QObject {
    Q_OBJECT
private slots:
    void workedExampleIsSolvedAndShown();
    void threeSolutionsCanBeWalkedAndAnalysed();
    void hiddenRemainderShowsEachSolutionsOwn();
    void rejectedPuzzleSaysWhy();
    void endSoundFollowsTheOption();
    void abortStopsTheSearchAndKeepsWhatWasFound();
    void exitDuringTheSearchStopsItFirst();
    void unmappableCharacterIsNeverSolved();
    void manySolutionsRedrawCountAndBarAFewTimesASecond();
};

void SolveCommandTest::workedExampleIsSolvedAndShown() {
    WindowFixture f;
    f.w().Memo7->setPlainText(QStringLiteral("12"));
    f.w().Memo10->setPlainText(QStringLiteral("78"));
    f.w().Memo1->setPlainText(QStringLiteral("936\n84\n 96\n 96\n0"));
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);

    QCOMPARE(f.w().Memo3->lines(), (QStringList{QStringLiteral("2025/12/09 12:00:00 started"),
                                                QStringLiteral("一意解です。"), kTiming}));
    QCOMPARE(f.w().Memo12->toPlainText(), QStringLiteral("0"));
    QCOMPARE(f.w().Memo9->toPlainText(), QStringLiteral("12"));
    QCOMPARE(f.w().Memo8->toPlainText(), QStringLiteral(" 78"));
    QCOMPARE(f.w().Memo2->lines(), (QStringList{"936", "84", " 96", " 96", "  0"}));
    QCOMPARE(f.w().Memo5->toPlainText(), QStringLiteral("1"));
    QCOMPARE(f.w().Memo11->toPlainText(), QStringLiteral("1"));
    QCOMPARE(enabledCommands(f.w()), QStringLiteral("++++++--"));
    QCOMPARE(navigationState(f.w()), QStringLiteral("----"));
    QVERIFY(f.w().ProgressBar1->isHidden());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(int(f.w().state().abortFlag), 0);
    QCOMPARE(f.desktop.beeps, 1);
}

void SolveCommandTest::hiddenRemainderShowsEachSolutionsOwn() {
    // 936 … 939 / 12 = 78 r 0 … 3 with the remainder typed '*', "no * is 2":
    // the pane shows each solution's remainder; 一意解 can reveal it.
    WindowFixture f;
    f.w().Memo7->setPlainText(QStringLiteral("12"));
    f.w().Memo10->setPlainText(QStringLiteral("78"));
    f.w().Memo1->setPlainText(QStringLiteral("93*\n84\n 9*\n 96\n*"));
    f.w().Memo4->setPlainText(QStringLiteral("2"));
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("3個の解があります。") + kTiming);
    QCOMPARE(f.w().Memo2->lines(), (QStringList{"936", "84", " 96", " 96", "  0"}));
    QTest::mouseClick(f.w().Button7, Qt::LeftButton);
    QCOMPARE(f.w().Memo2->lines(), (QStringList{"939", "84", " 99", " 96", "  3"}));
    QTest::mouseClick(f.w().Button11, Qt::LeftButton);
    QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("  余り: * → 3")));
}

void SolveCommandTest::threeSolutionsCanBeWalkedAndAnalysed() {
    const QJsonArray known = knownSolutions("teaser2937_cond1.json");
    QCOMPARE(known.size(), 3);
    WindowFixture f;
    load(f, puzzleFile("teaser2937_cond1.txt"));
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(f.w().Memo4->toPlainText(), QStringLiteral("1"));
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);

    QCOMPARE(f.w().Memo3->lines().size(), 2);
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("3個の解があります。") + kTiming);
    QCOMPARE(enabledCommands(f.w()), QStringLiteral("+++++++-"));  // 一意解 available
    QCOMPARE(navigationState(f.w()), QStringLiteral("--++"));

    for (int i = 0; i < 3; ++i) {
        const QJsonObject s = known.at(i).toObject();
        QCOMPARE(f.w().Memo5->toPlainText(), QString::number(i + 1));
        QCOMPARE(f.w().Memo11->toPlainText(), QStringLiteral("3"));
        QCOMPARE(f.w().Memo9->toPlainText(), s.value(QStringLiteral("divisor")).toString());
        QCOMPARE(f.w().Memo8->toPlainText().trimmed(), s.value(QStringLiteral("quotient")).toString());
        QCOMPARE(f.w().Memo2->lines().first(), s.value(QStringLiteral("dividend")).toString());
        QStringList rows;
        for (const QJsonValue& r : s.value(QStringLiteral("rows")).toArray()) rows.append(r.toString());
        QStringList shown = f.w().Memo2->lines().mid(1, rows.size());
        for (QString& line : shown) line = line.trimmed();
        QCOMPARE(shown, rows);
        if (i < 2) QTest::mouseClick(f.w().Button6, Qt::LeftButton);
    }
    QCOMPARE(navigationState(f.w()), QStringLiteral("++--"));

    // 一意解 appends to the log, below the summary.
    QTest::mouseClick(f.w().Button11, Qt::LeftButton);
    QVERIFY(f.w().Memo3->lines().size() > 2);
    QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("数字化により一意化可能")));
}

void SolveCommandTest::rejectedPuzzleSaysWhy() {
    WindowFixture f;
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);  // every box empty
    const QStringList log = f.w().Memo3->lines();
    QCOMPARE(log.size(), 3);
    QCOMPARE(log.at(1), QStringLiteral("解はありません。"));
    QVERIFY(log.at(2).startsWith(QStringLiteral("除数が空白。")));
    QVERIFY(f.w().Memo12->toPlainText().isEmpty());
    QCOMPARE(enabledCommands(f.w()), QStringLiteral("++++++--"));  // a report is possible
    QCOMPARE(navigationState(f.w()), QStringLiteral("----"));
}

void SolveCommandTest::endSoundFollowsTheOption() {
    WindowFixture f;
    f.w().RadioGroup1->item(1)->click();  // 無
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);
    QCOMPARE(f.desktop.beeps, 0);
    f.w().RadioGroup1->item(0)->click();  // 有
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);
    QCOMPARE(f.desktop.beeps, 1);
}

void SolveCommandTest::abortStopsTheSearchAndKeepsWhatWasFound() {
    WindowFixture f;
    typeEndlessSearch(f.w());
    QString during;
    // Runs when the search first lets input through.
    QTimer::singleShot(0, [&] {
        during = enabledCommands(f.w());
        QVERIFY(f.w().isSearching());
        QVERIFY(f.w().ProgressBar1->isVisible());
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QTest::mouseClick(f.w().Button12, Qt::LeftButton);
    });
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);

    QCOMPARE(during, QStringLiteral("-------+"));  // only Abort while searching
    const QStringList log = f.w().Memo3->lines();
    const int found = static_cast<int>(f.w().state().solutions.count());
    QCOMPARE(log.size(), found < 2 ? 4 : 3);
    QCOMPARE(log.at(1), QStringLiteral("中止されました！"));
    if (found < 2) {
        // Neither "解はありません。" nor "一意解です。": only what was found before the stop.
    QCOMPARE(log.at(2), found == 0 ? QStringLiteral("中止までに解は見つかりませんでした。")
                                   : QStringLiteral("中止までに1個の解が見つかりました。"));
        QCOMPARE(log.at(3), kTiming);
    } else {
        QCOMPARE(log.at(2), QStringLiteral("中止までに%1個の解が見つかりました。").arg(found) + kTiming);
    }
    // The analysis works on what was found: two solutions are enough.
    QCOMPARE(enabledCommands(f.w()), found >= 2 ? QStringLiteral("+++++++-") : QStringLiteral("++++++--"));
    QVERIFY(f.w().ProgressBar1->isHidden());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(int(f.w().state().abortFlag), 0);
}

void SolveCommandTest::exitDuringTheSearchStopsItFirst() {
    for (int way = 0; way < 2; ++way) {
        WindowFixture f;
        typeEndlessSearch(f.w());
        bool openDuring = false;
        QTimer::singleShot(0, [&] {
            if (way == 0) f.w().Exit1->trigger();
            else f.w().close();  // the close box
            openDuring = f.w().isVisible() && f.w().isSearching();
        });
        QTest::mouseClick(f.w().Button1, Qt::LeftButton);
        QVERIFY(openDuring);  // not closed under the running search
        QVERIFY(!f.w().isVisible());
        QVERIFY(!f.w().isSearching());
        QCOMPARE(f.w().state().solutions.count(), 0);  // released once the search ended
        QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("中止されました！")));
    }
}

void SolveCommandTest::unmappableCharacterIsNeverSolved() {
    WindowFixture f;
    f.w().Memo7->setPlainText(QStringLiteral("1\U0001F600"));
    f.w().Memo10->setPlainText(QStringLiteral("78"));
    f.w().Memo1->setPlainText(QStringLiteral("936\n84\n 96\n 96\n0"));
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY(f.desktop.messages.first().contains(QStringLiteral("「除数」")));
    QVERIFY(f.w().Memo3->toPlainText().isEmpty());
    QCOMPARE(f.w().state().solutions.count(), 0);
    QCOMPARE(f.desktop.beeps, 0);
    QCOMPARE(enabledCommands(f.w()), QStringLiteral("+++++---"));
}

void SolveCommandTest::manySolutionsRedrawCountAndBarAFewTimesASecond() {
    // Every five-digit divisor, quotient 1: 90,000 solutions. The count box
    // was once rewritten for every one of them, and the bar repainted at
    // every progress step: the window took seventy times the search's time.
    WindowFixture f;
    f.w().Memo7->setPlainText(QStringLiteral("*****"));
    f.w().Memo10->setPlainText(QStringLiteral("1"));
    f.w().Memo1->setPlainText(QStringLiteral("*****\n*****\n0"));
    int countChanges = 0, barChanges = 0;
    QObject::connect(f.w().Memo11, &QPlainTextEdit::textChanged, [&] { ++countChanges; });
    QObject::connect(f.w().ProgressBar1, &QProgressBar::valueChanged, [&] { ++barChanges; });
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(f.w().Button1, Qt::LeftButton);
    const double seconds = static_cast<double>(timer.elapsed()) / 1000;
    QCOMPARE(f.w().Memo11->toPlainText(), QStringLiteral("90000"));
    // Emptied at the start, the first solution, one every 250 ms, the last
    // count and the pane's own at the end.
    QVERIFY2(countChanges <= 5 + seconds / 0.25, qPrintable(QString::number(countChanges)));
    // Reset to 0, then one value every 100 ms at most.
    QVERIFY2(barChanges <= 2 + seconds / 0.1, qPrintable(QString::number(barChanges)));
}

int runSolveCommandTests(int argc, char** argv) {
    SolveCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "solve_command_test.moc"
