// The small commands driven through the real window: start-up, Clear,
// Abort, Exit (button, menu, close box), Help and About.
#include <QApplication>
#include <QMessageBox>
#include <QLocale>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/about_box.h"
#include "ui/guide_viewer.h"
#include "ui/radio_group.h"
#include "ui/translations.h"
#include "window_fixture.h"

using varnokit::testing::WindowFixture;
using varnokit::testing::navigationState;
using varnokit::testing::storeWorkedExampleSolutions;
using varnokit::ui::MemoBox;

namespace {

QList<MemoBox*> allBoxes(varnokit::ui::TForm1& w) {
    return {w.Memo1, w.Memo2, w.Memo3, w.Memo4, w.Memo5, w.Memo6,
            w.Memo7, w.Memo8, w.Memo9, w.Memo10, w.Memo11, w.Memo12};
}

QString enabledButtons(varnokit::ui::TForm1& w) {
    QStringList on;
    for (QPushButton* b : w.findChildren<QPushButton*>())
        if (b->isEnabled() && b->objectName().startsWith(u"Button")) on.append(b->objectName());
    on.sort();
    return on.join(u' ');
}

}  // namespace

class CommandTest : public QObject {
    Q_OBJECT
private slots:
    void startUpLeavesOnlyTheFirstCommandsEnabled();
    void clearEmptiesBoxesButKeepsSolutions();
    void abortRaisesTheFlag();
    void exitReleasesSolutionsAndCloses();
    void helpOpensTheGuideAtItsContents();
    void aboutBoxShowsModallyAndClosesWithOk();
    void qtsOwnDialogsSpeakJapanese();
};

void CommandTest::startUpLeavesOnlyTheFirstCommandsEnabled() {
    WindowFixture f;
    for (MemoBox* box : allBoxes(f.w())) QVERIFY2(box->toPlainText().isEmpty(), qPrintable(box->objectName()));
    QCOMPARE(enabledButtons(f.w()), QStringLiteral("Button1 Button2 Button3 Button8 Button9"));
    QCOMPARE(f.w().RadioGroup1->itemIndex(), 0);
    QCOMPARE(f.w().RadioGroup2->itemIndex(), 0);
    QVERIFY(f.w().ProgressBar1->isHidden());
    QVERIFY(f.w().isVisible());
    QCOMPARE(f.w().focusWidget(), f.w().Memo7);
    QCOMPARE(f.w().state().solutions.count(), 0);
    QCOMPARE(int(f.w().state().abortFlag), 0);
    QVERIFY(f.w().aboutBox() && f.w().aboutBox()->isHidden());
}

void CommandTest::clearEmptiesBoxesButKeepsSolutions() {
    WindowFixture f;
    storeWorkedExampleSolutions(f.w().state(), {{12, 78}, {13, 72}, {14, 67}});
    f.w().showSolution();
    for (MemoBox* box : allBoxes(f.w())) box->appendLine(QStringLiteral("x"));
    f.w().Button10->setEnabled(true);
    f.w().Button11->setEnabled(true);
    f.w().Button12->setEnabled(true);
    f.w().Memo1->setFocus();

    QTest::mouseClick(f.w().Button2, Qt::LeftButton);

    for (MemoBox* box : allBoxes(f.w())) QVERIFY2(box->toPlainText().isEmpty(), qPrintable(box->objectName()));
    QVERIFY(!f.w().Button10->isEnabled());
    QVERIFY(!f.w().Button11->isEnabled());
    QVERIFY(!f.w().Button12->isEnabled());
    QCOMPARE(f.w().focusWidget(), f.w().Memo7);
    QCOMPARE(navigationState(f.w()), QStringLiteral("--++"));
    QCOMPARE(f.w().state().solutions.count(), 3);

    // 後 fills the emptied pane from the stored list again.
    QTest::mouseClick(f.w().Button6, Qt::LeftButton);
    QCOMPARE(f.w().Memo5->toPlainText(), QStringLiteral("2"));
    QCOMPARE(f.w().Memo11->toPlainText(), QStringLiteral("3"));
    QCOMPARE(f.w().Memo9->toPlainText(), QStringLiteral("13"));
    QCOMPARE(f.w().Memo2->lines().first(), QStringLiteral("936"));
}

void CommandTest::abortRaisesTheFlag() {
    WindowFixture f;
    f.w().Button12->setEnabled(true);  // as a running Solve leaves it
    QTest::mouseClick(f.w().Button12, Qt::LeftButton);
    QCOMPARE(int(f.w().state().abortFlag), 1);
}

void CommandTest::exitReleasesSolutionsAndCloses() {
    for (int way = 0; way < 3; ++way) {
        WindowFixture f;
        storeWorkedExampleSolutions(f.w().state(), {{12, 78}, {13, 72}});
        if (way == 0) QTest::mouseClick(f.w().Button3, Qt::LeftButton);
        if (way == 1) f.w().Exit1->trigger();
        if (way == 2) f.w().close();
        QVERIFY(!f.w().isVisible());
        QCOMPARE(f.w().state().solutions.count(), 0);
        QCOMPARE(f.w().state().solutions.current(), -1);
    }
}

void CommandTest::helpOpensTheGuideAtItsContents() {
    const QLocale before;
    // The guide in Japanese, or in English for another language; each opens at its contents.
    const struct { QLocale locale; const char* text; const char* contents; } guides[] = {
        {QLocale(QLocale::Japanese, QLocale::Japan), "問題の入力", "目次"},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "Typing a puzzle", "Contents"},
        {QLocale(QLocale::German, QLocale::Germany), "Typing a puzzle", "Contents"},
    };
    for (const auto& g : guides) {
        QLocale::setDefault(g.locale);
        WindowFixture f;
        QVERIFY(!f.w().guideViewer());
        f.w().Help2->trigger();
        auto* viewer = f.w().guideViewer();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->isWindow());
        QVERIFY(viewer->toPlainText().contains(QString::fromUtf8(g.text)));
        // Opened at the contents: the contents heading is the first thing in view.
        const QTextCursor contents = viewer->document()->find(QString::fromUtf8(g.contents));
        QVERIFY(!contents.isNull());
        QVERIFY(viewer->cursorRect(contents).top() >= 0);
        QVERIFY(viewer->cursorRect(contents).top() < viewer->viewport()->height() / 2);
        // The kana picture is there, and the other language is one link away.
        QVERIFY(!viewer->document()->resource(QTextDocument::ImageResource,
                                                QUrl(QStringLiteral("kana-layout.png"))).isNull());
        // So is the window after 作問, in the composing section.
        QVERIFY(!viewer->document()->resource(QTextDocument::ImageResource,
                                                QUrl(QStringLiteral("compose.png"))).isNull());
        QVERIFY(viewer->toHtml().contains(g.locale.language() == QLocale::Japanese ? "guide.en.html" : "guide.html"));

        // Asking again reuses the window; closing the main window closes it.
        f.w().Help2->trigger();
        QCOMPARE(f.w().findChildren<varnokit::ui::GuideViewer*>().size(), 1);
        f.w().close();
        QVERIFY(!viewer->isVisible());
    }
    QLocale::setDefault(before);
}

void CommandTest::aboutBoxShowsModallyAndClosesWithOk() {
    WindowFixture f;
    bool sawIt = false;
    QTimer::singleShot(0, [&] {
        auto* box = f.w().aboutBox();
        sawIt = box->isVisible() && box->isModal() && QApplication::activeModalWidget() == box;
        QCOMPARE(box->windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(box->ProductName->text(), QStringLiteral("Varnokit"));
        QCOMPARE(box->Version->text(), QStringLiteral("version 0.5"));
        QVERIFY(!box->ProgramIcon->pixmap().isNull());
        QCOMPARE(box->OKButton->geometry(), QRect(111, 180, 75, 25));
        QVERIFY(box->OKButton->isDefault());
        box->OKButton->click();
    });
    f.w().N1->trigger();  // returns once OK has closed the box
    QVERIFY(sawIt);
    QVERIFY(f.w().aboutBox()->isHidden());
    QCOMPARE(f.w().aboutBox()->result(), int(QDialog::Accepted));
    QCOMPARE(f.w().aboutBox()->size(), QSize(298, 213));
}

void CommandTest::qtsOwnDialogsSpeakJapanese() {
    // The translations come with qt6-translations-l10n, which tools/setup installs.
    QVERIFY(varnokit::ui::installQtTranslations());
    QVERIFY(varnokit::ui::installQtTranslations());  // once is enough; again is harmless
    QMessageBox box(QMessageBox::Question, QStringLiteral("Varnokit"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    QVERIFY2(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")),
             qPrintable(box.button(QMessageBox::Yes)->text()));
    QVERIFY(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
    QVERIFY2(QCoreApplication::translate("QFileDialog", "&Open") != QStringLiteral("&Open"),
             qPrintable(QCoreApplication::translate("QFileDialog", "&Open")));
}

int runCommandTests(int argc, char** argv) {
    CommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "commands_test.moc"
