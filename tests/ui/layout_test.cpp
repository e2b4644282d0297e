// The window as laid out: client size, fixed border, every control at its
// place with its caption, the fonts, the tab order, and how the boxes take
// text (single-line boxes, right-justified boxes, paste, input methods).
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/fonts.h"
#include "ui/radio_group.h"
#include "window_fixture.h"

using varnokit::testing::WindowFixture;
using varnokit::ui::MemoBox;

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void clientAreaIsFixedWithoutMaximise();
    void boxesStandAtTheirPlaces();
    void buttonsAndLabelsCarryTheirCaptions();
    void menuHoldsItsThreeCommands();
    void tabOrderFollowsTheDesign();
    void fixedPitchFontIsTwoToOne();
    void captionsRunIntoNothing();
    void singleLineBoxesTakeNoLineBreak();
    void rightJustifiedBoxesEndAtTheRight();
    void inputMethodTextIsAccepted();
};

void LayoutTest::clientAreaIsFixedWithoutMaximise() {
    WindowFixture f;
    QCOMPARE(f.w().centralWidget()->size(), QSize(650, 450));
    QCOMPARE(f.w().windowTitle(), QStringLiteral("Varnokit"));
    QCOMPARE(f.w().minimumSize(), f.w().maximumSize());
    QVERIFY(!(f.w().windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.w().windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(f.w().windowFlags() & Qt::WindowSystemMenuHint);
}

void LayoutTest::boxesStandAtTheirPlaces() {
    struct Box { const char* name; QRect geometry; bool right; bool single; bool tab; bool bars; };
    const Box boxes[] = {
        {"Memo7", {5, 48, 116, 20}, true, true, true, false},
        {"Memo10", {128, 24, 209, 20}, false, true, true, false},
        {"Memo1", {128, 48, 225, 225}, false, false, true, true},
        {"Memo4", {104, 24, 17, 17}, false, true, true, false},
        {"Memo6", {40, 280, 329, 57}, false, false, true, true},
        {"Memo3", {40, 344, 329, 89}, false, false, false, true},
        {"Memo12", {184, 0, 25, 17}, true, false, false, false},
        {"Memo9", {360, 48, 94, 20}, true, false, false, false},
        {"Memo8", {456, 24, 169, 20}, false, false, false, false},
        {"Memo2", {456, 48, 185, 225}, false, false, false, true},
        {"Memo5", {392, 0, 25, 17}, true, false, false, false},
        {"Memo11", {464, 0, 49, 17}, true, false, false, false},
    };
    WindowFixture f;
    for (const Box& b : boxes) {
        auto* box = f.w().findChild<MemoBox*>(QString::fromLatin1(b.name));
        QVERIFY2(box, b.name);
        QCOMPARE(box->geometry(), b.geometry);
        QCOMPARE(box->isRightJustified(), b.right);
        QCOMPARE(box->isSingleLine(), b.single);
        QCOMPARE(bool(box->focusPolicy() & Qt::TabFocus), b.tab);
        QCOMPARE(box->verticalScrollBarPolicy(), b.bars ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        QVERIFY2(!box->isReadOnly(), b.name);
        QCOMPARE(QFontInfo(box->font()).pixelSize(), 13);
    }
    QCOMPARE(f.w().Memo1, f.w().findChild<MemoBox*>(QStringLiteral("Memo1")));
    QCOMPARE(f.w().ProgressBar1->geometry(), QRect(40, 432, 593, 14));
    QCOMPARE(f.w().ProgressBar1->maximum(), 100);
}

void LayoutTest::buttonsAndLabelsCarryTheirCaptions() {
    struct Button { const char* name; QRect geometry; const char* caption; int px; };
    const Button buttons[] = {
        {"Button8", {392, 360, 57, 33}, "問題読込", 11}, {"Button9", {456, 360, 57, 33}, "問題保存", 11},
        {"Button2", {520, 360, 57, 33}, "消去", 12},     {"Button12", {584, 360, 49, 33}, "中止", 13},
        {"Button1", {392, 400, 57, 33}, "解く", 12},     {"Button10", {456, 400, 57, 33}, "結果保存", 11},
        {"Button11", {520, 400, 57, 33}, "一意解", 13},  {"Button3", {584, 400, 49, 33}, "終了", 12},
        {"Button4", {8, 16, 33, 17}, "先頭", 12},        {"Button5", {48, 16, 33, 17}, "前", 12},
        {"Button6", {88, 16, 33, 17}, "後", 12},         {"Button7", {128, 16, 35, 17}, "最後", 12},
    };
    WindowFixture f;
    for (const Button& b : buttons) {
        auto* button = f.w().findChild<QPushButton*>(QString::fromLatin1(b.name));
        QVERIFY2(button, b.name);
        QCOMPARE(button->geometry(), b.geometry);
        QCOMPARE(button->text(), QString::fromUtf8(b.caption));
        QCOMPARE(button->font().pixelSize(), b.px);
    }
    QCOMPARE(f.w().Button4->parentWidget(), f.w().GroupBox1);
    QCOMPARE(f.w().GroupBox1->geometry(), QRect(456, 276, 169, 40));
    QCOMPARE(f.w().GroupBox1->title(), QStringLiteral("解移動"));

    struct Label { const char* name; QPoint at; const char* caption; };
    const Label labels[] = {
        {"Label2", {8, 0}, "問題"},       {"Label8", {136, 0}, "覆面数"}, {"Label1", {24, 24}, "  条件＊≠"},
        {"Label3", {360, 0}, "解"},       {"Label7", {416, 3}, "番目／"}, {"Label6", {512, 3}, "個中"},
        {"Label4", {8, 280}, "注釈"},     {"Label5", {8, 344}, "結果"},
    };
    for (const Label& l : labels) {
        auto* label = f.w().findChild<QLabel*>(QString::fromLatin1(l.name));
        QVERIFY2(label, l.name);
        QCOMPARE(label->pos(), l.at);
        QCOMPARE(label->text(), QString::fromUtf8(l.caption));
    }
    QCOMPARE(f.w().Label9->geometry().topLeft(), QPoint(544, 0));
    QCOMPARE(f.w().Label9->width(), 88);
    QVERIFY(f.w().Label9->font().italic());

    QCOMPARE(f.w().RadioGroup2->geometry(), QRect(448, 320, 105, 33));
    QCOMPARE(f.w().RadioGroup2->title(), QStringLiteral("結果出力"));
    QCOMPARE(f.w().RadioGroup2->item(0)->text(), QStringLiteral("追加"));
    QCOMPARE(f.w().RadioGroup2->item(1)->text(), QStringLiteral("上書"));
    QCOMPARE(f.w().RadioGroup1->geometry(), QRect(560, 320, 73, 33));
    QCOMPARE(f.w().RadioGroup1->title(), QStringLiteral("終了音"));
    QCOMPARE(f.w().RadioGroup1->item(0)->text(), QStringLiteral("有"));
    QCOMPARE(f.w().RadioGroup1->item(1)->text(), QStringLiteral("無"));
    // Two columns: both items on one row.
    QCOMPARE(f.w().RadioGroup1->item(0)->y(), f.w().RadioGroup1->item(1)->y());
}

void LayoutTest::menuHoldsItsThreeCommands() {
    WindowFixture f;
    QCOMPARE(f.w().menuBar(), f.w().MainMenu1);
    QCOMPARE(f.w().File1->title(), QStringLiteral("&File"));
    QCOMPARE(f.w().File1->actions().last(), f.w().Exit1);  // the file commands come before it
    QCOMPARE(f.w().Exit1->text(), QStringLiteral("&Exit"));
    QCOMPARE(f.w().Help1->title(), QStringLiteral("&Help"));
    QCOMPARE(f.w().Help1->actions(), (QList<QAction*>{f.w().Help2, f.w().N1}));
    QCOMPARE(f.w().Help2->text(), QStringLiteral("&Help"));
    QCOMPARE(f.w().N1->text(), QStringLiteral("バージョン情報"));
    // File first, Help last; the added menus stand between them.
    const QList<QAction*> top = f.w().MainMenu1->actions();
    QCOMPARE(top.first(), f.w().File1->menuAction());
    QCOMPARE(top.last(), f.w().Help1->menuAction());
}

void LayoutTest::tabOrderFollowsTheDesign() {
    WindowFixture f;
    // Walk the focus chain from the divisor box; radio items count as their group.
    QStringList seen;
    QWidget* w = f.w().Memo7;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->window() == &f.w()) {
            QString name = w->objectName();
            if (qobject_cast<QRadioButton*>(w)) name = w->parentWidget()->objectName();
            if (seen.isEmpty() || seen.last() != name) seen.append(name);
        }
        w = w->nextInFocusChain();
    } while (w != f.w().Memo7);
    const QStringList expected = {"Memo7", "Memo10", "Memo1", "Button1", "Button8",
                                  "Button9", "Button2", "Button10", "Button3", "Memo4",
                                  "Memo6", "RadioGroup1", "RadioGroup2", "Button11", "Button12"};
    QCOMPARE(seen, expected);
}

void LayoutTest::fixedPitchFontIsTwoToOne() {
    WindowFixture f;
    QCOMPARE(QFontInfo(f.w().Memo1->font()).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(QFontInfo(f.w().Label2->font()).family(), QStringLiteral("IPAPGothic"));
    const QString serif = QFontInfo(f.w().Label9->font()).family();
    // Qt may add the foundry: "C059 [UKWN]".
    QVERIFY2(serif.startsWith(QStringLiteral("C059")) || serif.startsWith(QStringLiteral("DejaVu Serif")),
             qPrintable(serif));
    // Columns of the body and the pane line up only if a full-width mask is
    // exactly two digits wide at every size the window uses.
    for (int px : {11, 12, 13, 15, 16}) {
        const QFontMetricsF metrics(varnokit::ui::fixedFont(px));
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("ア")), 2 * metrics.horizontalAdvance(u'9'));
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("＊")), metrics.horizontalAdvance(QStringLiteral("**")));
    }
}

void LayoutTest::captionsRunIntoNothing() {
    WindowFixture f;
    // No label's text reaches into a box.
    for (QLabel* label : f.w().centralWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect text(label->x() + std::max(label->indent(), 0), label->y(),
                         label->fontMetrics().horizontalAdvance(label->text()), label->height());
        for (MemoBox* box : f.w().findChildren<MemoBox*>())
            QVERIFY2(!text.intersects(box->geometry()),
                     qPrintable(label->objectName() + QStringLiteral(" / ") + box->objectName()));
    }
    // Each radio item has the room its circle and caption need, beside the other.
    for (varnokit::ui::RadioGroup* group : {f.w().RadioGroup1, f.w().RadioGroup2}) {
        for (int i = 0; i < group->itemCount(); ++i)
            QVERIFY2(group->item(i)->sizeHint().width() <= group->item(i)->width(), qPrintable(group->objectName()));
        QVERIFY(group->item(0)->geometry().right() < group->item(1)->geometry().left());
    }
}

void LayoutTest::singleLineBoxesTakeNoLineBreak() {
    WindowFixture f;
    MemoBox* divisor = f.w().Memo7;
    divisor->setFocus();
    QTest::keyClicks(divisor, "12");
    QTest::keyClick(divisor, Qt::Key_Return);
    QTest::keyClick(divisor, Qt::Key_Enter);
    QTest::keyClicks(divisor, "3");
    QCOMPARE(divisor->toPlainText(), QStringLiteral("123"));

    // A paste goes through the same filter: the lines are joined.
    QApplication::clipboard()->setText(QStringLiteral("4\n5\r\n6"));
    divisor->paste();
    QCOMPARE(divisor->toPlainText(), QStringLiteral("123456"));
    QCOMPARE(divisor->lines().size(), 1);

    // The body box keeps pasted lines.
    f.w().Memo1->setFocus();
    f.w().Memo1->paste();
    QCOMPARE(f.w().Memo1->lines(), (QStringList{"4", "5", "6"}));
    QTest::keyClick(f.w().Memo1, Qt::Key_Return);
    QCOMPARE(f.w().Memo1->toPlainText(), QStringLiteral("4\n5\n6\n"));
}

void LayoutTest::rightJustifiedBoxesEndAtTheRight() {
    WindowFixture f;
    f.w().Memo7->setPlainText(QStringLiteral("12"));
    f.w().Memo10->setPlainText(QStringLiteral("12"));
    QTextCursor end7(f.w().Memo7->document());
    end7.movePosition(QTextCursor::End);
    QTextCursor end10(f.w().Memo10->document());
    end10.movePosition(QTextCursor::End);
    // The right-justified divisor ends near its right edge, the quotient near its left.
    QVERIFY(f.w().Memo7->cursorRect(end7).x() > f.w().Memo7->viewport()->width() - 8);
    QVERIFY(f.w().Memo10->cursorRect(end10).x() < 40);
}

void LayoutTest::inputMethodTextIsAccepted() {
    WindowFixture f;
    for (MemoBox* box : {f.w().Memo7, f.w().Memo10, f.w().Memo1, f.w().Memo4, f.w().Memo6})
        QVERIFY2(box->testAttribute(Qt::WA_InputMethodEnabled), qPrintable(box->objectName()));

    // Composition, then commit: what the input method commits lands in the box.
    f.w().Memo1->setFocus();
    QInputMethodEvent compose(QStringLiteral("あ"), {});
    QApplication::sendEvent(f.w().Memo1, &compose);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("ア"));
    QApplication::sendEvent(f.w().Memo1, &commit);
    QCOMPARE(f.w().Memo1->toPlainText(), QStringLiteral("ア"));

    // A committed line break does not reach a single-line box.
    QInputMethodEvent withBreak;
    withBreak.setCommitString(QStringLiteral("イ\nウ"));
    QApplication::sendEvent(f.w().Memo10, &withBreak);
    QCOMPARE(f.w().Memo10->toPlainText(), QStringLiteral("イウ"));
}

int runLayoutTests(int argc, char** argv) {
    LayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "layout_test.moc"
