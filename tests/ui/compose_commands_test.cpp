// The 作問 menu through the window: each command's puzzle lands in the boxes
// and is solved there with one solution; 中止 and Exit stop a command and
// leave the boxes as they were; the mask table beside the solution.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "ui/compose_dialogs.h"
#include "window_fixture.h"

using varnokit::testing::WindowFixture;

namespace {

QString puzzleFile(const char* name) {
    return QString::fromUtf8(VARNOKIT_PUZZLE_DIR) + QLatin1Char('/') + QString::fromUtf8(name);
}

void typeWorkedExample(varnokit::ui::TForm1& w) {
    w.Memo7->setPlainText(QStringLiteral("12"));
    w.Memo10->setPlainText(QStringLiteral("78"));
    w.Memo1->setPlainText(QStringLiteral("936\n84\n 96\n 96\n0"));
}

void typeSixSolutions(varnokit::ui::TForm1& w) {
    w.Memo7->setPlainText(QStringLiteral("1*"));
    w.Memo10->setPlainText(QStringLiteral("**"));
    w.Memo1->setPlainText(QStringLiteral("**6\n8*\n **\n **\n0"));
}

QString boxesText(varnokit::ui::TForm1& w) {
    return QStringList{w.Memo6->toPlainText(), w.Memo7->toPlainText(), w.Memo10->toPlainText(),
                       w.Memo1->toPlainText(), w.Memo4->toPlainText()}
        .join(u'|');
}

void solve(varnokit::ui::TForm1& w) { QTest::mouseClick(w.Button1, Qt::LeftButton); }

}  // namespace

class ComposeCommandTest : public QObject {
    Q_OBJECT
private slots:
    void generateFromTheMenuPutsAUniquePuzzleIntoTheBoxes();
    void theSameSeedGivesTheSamePuzzle();
    void minimiseHidesTheTypedPuzzleWhileItStaysUnique();
    void minimiseADivisionGivenAsNumbersKeepingCells();
    void minimiseRefusesAndLeavesTheBoxesAlone();
    void repairKeepsTheSolutionShown();
    void abortStopsWithinASecondAndLeavesTheBoxes();
    void exitDuringACommandStopsItFirst();
    void maskTableStandsBesideEachSolution();
};

void ComposeCommandTest::generateFromTheMenuPutsAUniquePuzzleIntoTheBoxes() {
    WindowFixture f;
    typeWorkedExample(f.w());
    const QString before = boxesText(f.w());
    f.desktop.onDialog = [](QDialog* dialog) {
        auto* generate = qobject_cast<varnokit::ui::GenerateDialog*>(dialog);
        if (!generate) return false;
        generate->divisorDigits->setValue(3);
        generate->quotientDigits->setValue(4);
        generate->seed->setText(QStringLiteral("7"));
        return true;
    };
    QVERIFY(f.w().generateAction->isEnabled());
    QVERIFY(!f.w().repairAction->isEnabled());  // no Solve with several solutions yet
    f.w().generateAction->trigger();
    QCOMPARE(f.desktop.settingsDialogs, 1);

    const QStringList log = f.w().Memo3->lines();
    QCOMPARE(log.first(), QStringLiteral("2025/12/09 12:00:00 started"));
    QCOMPARE(log.at(1), QStringLiteral("作問しました（種 7）: 除数3桁、商4桁。"));
    QVERIFY(log.last().startsWith(QStringLiteral("  所要時間: ")));
    QCOMPARE(f.w().Memo6->toPlainText(), QStringLiteral("作問（種 7、除数3桁、商4桁）"));
    QCOMPARE(f.w().Memo7->toPlainText().size(), 3);
    QCOMPARE(f.w().Memo10->toPlainText().size(), 4);
    QVERIFY(f.w().Memo1->toPlainText().contains(u'*'));
    QVERIFY(f.w().ProgressBar1->isHidden());
    QVERIFY(!f.w().isSearching());
    QVERIFY(f.w().Button1->isEnabled() && !f.w().Button12->isEnabled());

    solve(f.w());
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("一意解です。"));
    // What the boxes held comes back with undo.
    f.w().undoAction->trigger();
    QCOMPARE(boxesText(f.w()), before);
}

void ComposeCommandTest::theSameSeedGivesTheSamePuzzle() {
    varnokit::compose::GenerateOptions options;
    options.divisorDigits = 2;
    options.quotientDigits = 3;
    options.seed = 42;
    WindowFixture a, b;
    a.w().generatePuzzle(options);
    b.w().generatePuzzle(options);
    QCOMPARE(boxesText(a.w()), boxesText(b.w()));
    options.masks = true;
    options.maskStyle = varnokit::compose::MaskStyle::Katakana;
    a.w().generatePuzzle(options);
    QVERIFY(a.w().Memo1->toPlainText().contains(QStringLiteral("　")));  // full-width columns for the kana
    solve(a.w());
    QCOMPARE(a.w().Memo3->lines().at(1), QStringLiteral("一意解です。"));
}

void ComposeCommandTest::minimiseHidesTheTypedPuzzleWhileItStaysUnique() {
    WindowFixture f;
    typeWorkedExample(f.w());
    f.w().Memo6->setPlainText(QStringLiteral("my notes"));
    varnokit::ui::MinimiseRequest request;
    request.hiding.seed = 3;
    f.w().minimisePuzzle(request);
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("一意のまま隠しました。"));
    QVERIFY(f.w().Memo1->toPlainText().contains(u'*'));
    QCOMPARE(f.w().Memo6->toPlainText(), QStringLiteral("my notes"));  // the notes stay
    QCOMPARE(f.w().Memo1->lines().last().trimmed(), QStringLiteral("0"));  // the remainder stays shown
    solve(f.w());
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("一意解です。"));
    QCOMPARE(f.w().Memo9->toPlainText(), QStringLiteral("12"));
}

void ComposeCommandTest::minimiseADivisionGivenAsNumbersKeepingCells() {
    WindowFixture f;
    varnokit::ui::MinimiseRequest request;
    request.fromNumbers = true;
    request.divisor = QStringLiteral("467");
    request.dividend = QStringLiteral("3779520");  // 467 × 8093 + 289
    request.keepCells = QStringLiteral("除数 被除数:1");
    request.condition = varnokit::ui::MinimiseRequest::Condition::Set;
    request.conditionDigit = 5;
    request.hiding.seed = 1;
    f.w().minimisePuzzle(request);
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("467"));
    QVERIFY(f.w().Memo1->lines().first().startsWith(u'3'));
    QCOMPARE(f.w().Memo4->toPlainText(), QStringLiteral("5"));
    solve(f.w());
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("一意解です。"));
    QCOMPARE(f.w().Memo8->toPlainText().trimmed(), QStringLiteral("8093"));

    // Numbers that are no division leave a message and nothing else.
    request.dividend = QStringLiteral("12");
    const QString before = boxesText(f.w());
    f.w().minimisePuzzle(request);
    QCOMPARE(f.desktop.messages.size(), 1);
    QCOMPARE(boxesText(f.w()), before);
}

void ComposeCommandTest::minimiseRefusesAndLeavesTheBoxesAlone() {
    WindowFixture f;
    typeSixSolutions(f.w());
    const QString before = boxesText(f.w());
    f.w().minimisePuzzle({});
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("解が一つではないので、一意のまま隠すことはできません。"));
    QCOMPARE(boxesText(f.w()), before);

    typeWorkedExample(f.w());
    varnokit::ui::MinimiseRequest request;
    request.keepCells = QStringLiteral("9行目");
    f.w().minimisePuzzle(request);
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("残す桁「9行目」はこの問題にありません。"));
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("12"));
}

void ComposeCommandTest::repairKeepsTheSolutionShown() {
    WindowFixture f;
    typeSixSolutions(f.w());
    solve(f.w());
    QVERIFY(f.w().repairAction->isEnabled());
    QTest::mouseClick(f.w().Button6, Qt::LeftButton);
    QTest::mouseClick(f.w().Button6, Qt::LeftButton);  // the third solution
    const QString divisor = f.w().Memo9->toPlainText(), quotient = f.w().Memo8->toPlainText().trimmed();
    f.w().repairAction->trigger();
    const QStringList log = f.w().Memo3->lines();
    QCOMPARE(log.at(1), QStringLiteral("最少の開示: 次の1個を明かすと、この解だけが残ります。"));
    QCOMPARE(log.at(3), QStringLiteral("  （これより少なく明かす方法はありません）"));
    QVERIFY(!f.w().repairAction->isEnabled());  // the new puzzle waits for its Solve
    solve(f.w());
    QCOMPARE(f.w().Memo3->lines().at(1), QStringLiteral("一意解です。"));
    QCOMPARE(f.w().Memo9->toPlainText(), divisor);
    QCOMPARE(f.w().Memo8->toPlainText().trimmed(), quotient);
}

void ComposeCommandTest::abortStopsWithinASecondAndLeavesTheBoxes() {
    WindowFixture f;
    typeWorkedExample(f.w());
    const QString before = boxesText(f.w());
    varnokit::compose::GenerateOptions huge;  // minutes of work
    huge.divisorDigits = 14;
    huge.quotientDigits = 14;
    QElapsedTimer sinceAbort;
    bool abortOnly = false;
    QTimer::singleShot(0, [&] {
        abortOnly = f.w().Button12->isEnabled() && !f.w().Button1->isEnabled() && !f.w().generateAction->isEnabled();
        sinceAbort.start();
        QTest::mouseClick(f.w().Button12, Qt::LeftButton);
    });
    f.w().generatePuzzle(huge);
    QVERIFY(abortOnly);
    QVERIFY2(sinceAbort.elapsed() < 1000, qPrintable(QString::number(sinceAbort.elapsed())));
    QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("中止されました！")));
    QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("問題はそのままです。")));
    QCOMPARE(boxesText(f.w()), before);
    QVERIFY(f.w().Button1->isEnabled() && !f.w().Button12->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
}

void ComposeCommandTest::exitDuringACommandStopsItFirst() {
    WindowFixture f;
    varnokit::compose::GenerateOptions huge;
    huge.divisorDigits = 14;
    huge.quotientDigits = 14;
    bool openDuring = false;
    QTimer::singleShot(0, [&] {
        f.w().Exit1->trigger();
        openDuring = f.w().isVisible() && f.w().isSearching();
    });
    f.w().generatePuzzle(huge);
    QVERIFY(openDuring);
    QVERIFY(!f.w().isVisible());
    QVERIFY(!f.w().isSearching());
}

void ComposeCommandTest::maskTableStandsBesideEachSolution() {
    WindowFixture f;
    f.desktop.nextOpenNames.push_back(puzzleFile("sano_14_4_kana.txt"));
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    solve(f.w());
    QVERIFY(f.w().maskTableBox->isVisible());
    QCOMPARE(f.w().maskTableBox->lines().first(), QStringLiteral("ア=1"));
    QCOMPARE(f.w().maskTableBox->lines().size(), 10);
    // Masks that differ between solutions: each solution shows its own.
    f.w().Memo7->setPlainText(QStringLiteral("1x"));
    f.w().Memo10->setPlainText(QStringLiteral("**"));
    f.w().Memo1->setPlainText(QStringLiteral("**6\n8*\n **\n **\n0"));
    solve(f.w());
    const QString first = f.w().maskTableBox->toPlainText();
    QCOMPARE(first, QStringLiteral("x=") + f.w().Memo9->toPlainText().right(1));
    QTest::mouseClick(f.w().Button7, Qt::LeftButton);
    QCOMPARE(f.w().maskTableBox->toPlainText(), QStringLiteral("x=") + f.w().Memo9->toPlainText().right(1));
    // No masks, no table.
    typeWorkedExample(f.w());
    solve(f.w());
    QVERIFY(f.w().maskTableBox->isHidden());
}

int runComposeCommandTests(int argc, char** argv) {
    ComposeCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "compose_commands_test.moc"
