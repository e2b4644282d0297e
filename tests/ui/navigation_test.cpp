// The solution pane and the four buttons of "解移動" over stored solutions.
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "ui/solution_pane.h"
#include "window_fixture.h"

using varnokit::testing::WindowFixture;
using varnokit::testing::navigationState;
using varnokit::testing::storeWorkedExampleSolutions;

class NavigationTest : public QObject {
    Q_OBJECT
private slots:
    void workedExampleLinesUpUnderTheDividend();
    void buttonsFollowThePositionOverThreeSolutions();
    void zeroQuotientDigitLeavesNoLines();
    void widerValuesAreShownWhole();
};

void NavigationTest::workedExampleLinesUpUnderTheDividend() {
    WindowFixture f;
    storeWorkedExampleSolutions(f.w().state(), {{12, 78}});
    f.w().showSolution();
    QCOMPARE(f.w().Memo9->toPlainText(), QStringLiteral("12"));
    QCOMPARE(f.w().Memo8->toPlainText(), QStringLiteral(" 78"));
    QCOMPARE(f.w().Memo2->lines(), (QStringList{"936", "84", " 96", " 96", "  0"}));
    QCOMPARE(f.w().Memo5->toPlainText(), QStringLiteral("1"));
    QCOMPARE(f.w().Memo11->toPlainText(), QStringLiteral("1"));
}

void NavigationTest::buttonsFollowThePositionOverThreeSolutions() {
    WindowFixture f;
    storeWorkedExampleSolutions(f.w().state(), {{12, 78}, {13, 72}, {14, 67}});
    f.w().showSolution();
    QCOMPARE(navigationState(f.w()), QStringLiteral("--++"));
    QCOMPARE(f.w().Memo5->toPlainText(), QStringLiteral("1"));

    QTest::mouseClick(f.w().Button6, Qt::LeftButton);  // 後
    QCOMPARE(navigationState(f.w()), QStringLiteral("++++"));
    QCOMPARE(f.w().Memo5->toPlainText(), QStringLiteral("2"));
    QCOMPARE(f.w().Memo2->lines(), (QStringList{"936", "91", " 26", " 26", "  0"}));

    QTest::mouseClick(f.w().Button7, Qt::LeftButton);  // 最後
    QCOMPARE(navigationState(f.w()), QStringLiteral("++--"));
    QCOMPARE(f.w().Memo5->toPlainText(), QStringLiteral("3"));
    QCOMPARE(f.w().Memo9->toPlainText(), QStringLiteral("14"));

    QTest::mouseClick(f.w().Button5, Qt::LeftButton);  // 前
    QCOMPARE(f.w().Memo5->toPlainText(), QStringLiteral("2"));
    QTest::mouseClick(f.w().Button4, Qt::LeftButton);  // 先頭
    QCOMPARE(f.w().Memo5->toPlainText(), QStringLiteral("1"));
    QCOMPARE(navigationState(f.w()), QStringLiteral("--++"));

    // 前 on the first solution (called directly: its button is off) changes nothing.
    f.w().Memo2->clear();
    f.w().Button5Click();
    QCOMPARE(f.w().state().solutions.current(), 0);
    QVERIFY(f.w().Memo2->toPlainText().isEmpty());
    // Nor does 後 on the last.
    f.w().Button7Click();
    f.w().Memo2->clear();
    f.w().Button6Click();
    QCOMPARE(f.w().state().solutions.current(), 2);
    QVERIFY(f.w().Memo2->toPlainText().isEmpty());
}

void NavigationTest::zeroQuotientDigitLeavesNoLines() {
    // 1224 ÷ 12 = 102: the middle digit 0 has no partial product and no
    // difference line; the rows of the last digit stand two columns right.
    WindowFixture f;
    varnokit::PuzzleState& state = f.w().state();
    storeWorkedExampleSolutions(state, {});
    auto set = [](varnokit::WorkRecord& record, int row, const char* text) {
        std::strcpy(record.rows[row].text, text);
        record.rows[row].length = static_cast<int32_t>(std::strlen(text));
    };
    set(state.problem, varnokit::kQuotientRow, "***");
    set(state.problem, varnokit::kDividendRow, "****");
    set(state.problem, varnokit::partialProductRow(0), "**");
    set(state.problem, varnokit::differenceRow(1), "");
    set(state.problem, varnokit::partialProductRow(1), "");
    set(state.problem, varnokit::differenceRow(2), "  **");
    set(state.problem, varnokit::partialProductRow(2), "  **");
    state.work = state.problem;
    state.solutions.beginSearch(state.work);
    state.solutions.append(12, 102);
    f.w().showSolution();
    QCOMPARE(f.w().Memo8->toPlainText(), QStringLiteral(" 102"));
    QCOMPARE(f.w().Memo2->lines(), (QStringList{"1224", "12", "  24", "  24", "   0"}));
}

void NavigationTest::widerValuesAreShownWhole() {
    QCOMPARE(varnokit::ui::padLeft("123", 5), std::string("  123"));
    QCOMPARE(varnokit::ui::padLeft("12345", 3), std::string("12345"));
    QCOMPARE(varnokit::ui::padLeft("7", 0), std::string("7"));
}

int runNavigationTests(int argc, char** argv) {
    NavigationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "navigation_test.moc"
