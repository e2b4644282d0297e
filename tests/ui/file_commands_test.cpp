// Load problem, Save problem, Save result and 一意解 through the window,
// with file names handed to the dialogs by the fake desktop.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "analysis/uniqueness.h"
#include "files/report.h"
#include "support/text.h"
#include "ui/install_paths.h"
#include "ui/radio_group.h"
#include "ui/text_edge.h"
#include "window_fixture.h"

using varnokit::testing::WindowFixture;
using varnokit::testing::sjis;
using varnokit::testing::storeWorkedExampleSolutions;

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

void typeWorkedExample(varnokit::ui::TForm1& w) {
    w.Memo6->setPlainText(QStringLiteral("メモ"));
    w.Memo7->setPlainText(QStringLiteral("12"));
    w.Memo10->setPlainText(QStringLiteral("78"));
    w.Memo1->setPlainText(QStringLiteral("936\n84\n 96\n 96\n0"));
    w.Memo4->setPlainText(QStringLiteral("5"));
}

QByteArray bytes(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

class FileCommandTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        temp = std::make_unique<QTemporaryDir>();
        QVERIFY(temp->isValid());
    }
    void saveWritesTheBoxesAndLoadReadsThemBack();
    void cancelledDialogsChangeNothing();
    void loadFailuresShowTheirSentence();
    void unreadableBytesAreMarkedAndNeverSavedBack();
    void unmappableCharacterStopsSaveNamingTheBox();
    void utf8FilesLoadWithOrWithoutAMarkAndSaveAsCp932();
    void notesThatWouldNotLoadBackAreNotSaved();
    void saveResultAppendsOrOverwrites();
    void uniqueSolutionAppendsBothPasses();
    void fileNamedAtStartIsLoadedAndExamplesAreFound();

private:
    std::unique_ptr<QTemporaryDir> temp;  // a fresh folder for every test
    QString dirPath(const QString& name) const { return temp->filePath(name); }
};

void FileCommandTest::saveWritesTheBoxesAndLoadReadsThemBack() {
    WindowFixture f;
    typeWorkedExample(f.w());
    const QString path = dirPath(QStringLiteral("問題.txt"));
    f.desktop.nextSaveNames.push_back(path);
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QVERIFY(f.desktop.messages.isEmpty());
    const QByteArray expected = bytes("<!--comment\r\n" + sjis("メモ") +
                                      "\r\ncomment-->\r\n12\r\n78\r\n936\r\n84\r\n 96\r\n 96\r\n0\r\n"
                                      "<!--JOUKEN=5\r\n");
    QCOMPARE(readAll(path), expected);

    // Load into a window holding other text and a stored solution.
    WindowFixture g;
    storeWorkedExampleSolutions(g.w().state(), {{12, 78}, {13, 72}});
    g.w().showSolution();
    g.w().Memo3->setPlainText(QStringLiteral("old log"));
    g.w().Memo12->setPlainText(QStringLiteral("3"));
    g.w().Button10->setEnabled(true);
    g.w().Button11->setEnabled(true);
    g.w().Memo1->setFocus();
    g.desktop.nextOpenNames.push_back(path);
    QTest::mouseClick(g.w().Button8, Qt::LeftButton);
    QVERIFY(g.desktop.messages.isEmpty());
    QCOMPARE(g.w().Memo6->lines(), QStringList{QStringLiteral("メモ")});
    QCOMPARE(g.w().Memo7->toPlainText(), QStringLiteral("12"));
    QCOMPARE(g.w().Memo10->toPlainText(), QStringLiteral("78"));
    QCOMPARE(g.w().Memo1->lines(), (QStringList{"936", "84", " 96", " 96", "0"}));
    QCOMPARE(g.w().Memo4->toPlainText(), QStringLiteral("5"));
    for (auto* box : {g.w().Memo2, g.w().Memo3, g.w().Memo5, g.w().Memo8, g.w().Memo9, g.w().Memo11, g.w().Memo12})
        QVERIFY2(box->toPlainText().isEmpty(), qPrintable(box->objectName()));
    QVERIFY(!g.w().Button10->isEnabled());
    QVERIFY(!g.w().Button11->isEnabled());
    QCOMPARE(g.w().focusWidget(), g.w().Memo7);
    // The stored solutions and their buttons are not the loader's business.
    QCOMPARE(g.w().state().solutions.count(), 2);
    QVERIFY(g.w().Button6->isEnabled());
}

void FileCommandTest::cancelledDialogsChangeNothing() {
    WindowFixture f;
    typeWorkedExample(f.w());
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);  // no name queued: cancelled
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QCOMPARE(f.desktop.openDialogs, 1);
    QCOMPARE(f.desktop.saveStartNames.size(), 1);
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("12"));
    QCOMPARE(QDir(temp->path()).entryList(QDir::Files).size(), 0);
}

void FileCommandTest::loadFailuresShowTheirSentence() {
    WindowFixture f;
    typeWorkedExample(f.w());
    f.desktop.nextOpenNames.push_back(dirPath(QStringLiteral("missing.txt")));
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    QCOMPARE(f.desktop.messages, QStringList{QStringLiteral("入力ファイルを開けません")});
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("12"));  // boxes unchanged

    // A line over 126 bytes: the lines before it are in the boxes, the end
    // steps are skipped.
    const QString longLine = dirPath(QStringLiteral("long.txt"));
    writeAll(longLine, "34\r\n56\r\n" + QByteArray(127, '7') + "\r\n8\r\n");
    f.w().Button10->setEnabled(true);
    f.desktop.nextOpenNames.push_back(longLine);
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    QCOMPARE(f.desktop.messages.last(), QStringLiteral("入力ファイルの行が長すぎます"));
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("34"));
    QCOMPARE(f.w().Memo10->toPlainText(), QStringLiteral("56"));
    QVERIFY(f.w().Memo1->toPlainText().isEmpty());
    QVERIFY(f.w().Memo6->toPlainText().isEmpty());
    QVERIFY(f.w().Button10->isEnabled());

    // Saving into a folder that does not exist.
    f.desktop.nextSaveNames.push_back(dirPath(QStringLiteral("no/such/folder.txt")));
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QCOMPARE(f.desktop.messages.last(), QStringLiteral("出力ファイルが開けません"));
}

void FileCommandTest::unreadableBytesAreMarkedAndNeverSavedBack() {
    WindowFixture f;
    const QString path = dirPath(QStringLiteral("bad.txt"));
    writeAll(path, "# ok\r\n# \xff\r\n12\r\n78\r\n936\r\n");
    f.desktop.nextOpenNames.push_back(path);
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY(f.desktop.messages.first().contains(QStringLiteral("注釈")));
    QCOMPARE(f.w().Memo6->lines().last(), QStringLiteral("# \uFFFD"));
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("12"));

    // The marker has no cp932 form: saving refuses rather than writing a substitute.
    const QString out = dirPath(QStringLiteral("out.txt"));
    f.desktop.nextSaveNames.push_back(out);
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QCOMPARE(f.desktop.messages.size(), 2);
    QVERIFY(f.desktop.messages.last().contains(QStringLiteral("「注釈」")));
    QVERIFY(!QFile::exists(out));
}

void FileCommandTest::unmappableCharacterStopsSaveNamingTheBox() {
    const struct { const char* box; const char* name; } cases[] = {
        {"Memo7", "除数"}, {"Memo10", "商"}, {"Memo1", "問題"}, {"Memo4", "条件"}, {"Memo6", "注釈"}};
    for (const auto& c : cases) {
        WindowFixture f;
        typeWorkedExample(f.w());
        auto* box = f.w().findChild<varnokit::ui::MemoBox*>(QString::fromLatin1(c.box));
        box->appendLine(QStringLiteral("9\U0001F600"));
        const QString out = dirPath(QStringLiteral("emoji.txt"));
        f.desktop.nextSaveNames.push_back(out);
        QTest::mouseClick(f.w().Button9, Qt::LeftButton);
        QCOMPARE(f.desktop.messages.size(), 1);
        const QString& message = f.desktop.messages.first();
        QVERIFY2(message.contains(QStringLiteral("「%1」").arg(QString::fromUtf8(c.name))), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("\U0001F600")), qPrintable(message));
        QVERIFY(f.desktop.saveStartNames.isEmpty());  // stopped before the dialog
        QVERIFY(!QFile::exists(out));
        QCOMPARE(f.w().focusWidget(), box);
    }
}

void FileCommandTest::utf8FilesLoadWithOrWithoutAMarkAndSaveAsCp932() {
    const QByteArray utf8 = QStringLiteral("<!--comment\nメモ\ncomment-->\nイ２\n７８\n９ウ６\n84\n　96\n　96\n0\n"
                                           "<!--JOUKEN=5\n").toUtf8();
    for (const QByteArray& file : {utf8, "\xEF\xBB\xBF" + utf8}) {
        WindowFixture f;
        const QString path = dirPath(QStringLiteral("utf8.txt"));
        writeAll(path, file);
        f.desktop.nextOpenNames.push_back(path);
        QTest::mouseClick(f.w().Button8, Qt::LeftButton);
        QVERIFY(f.desktop.messages.isEmpty());
        QCOMPARE(f.w().Memo6->lines(), QStringList{QStringLiteral("メモ")});  // the mark hides no marker
        QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("イ２"));
        QCOMPARE(f.w().Memo1->lines(), (QStringList{QStringLiteral("９ウ６"), QStringLiteral("84"),
                                                    QStringLiteral("　96"), QStringLiteral("　96"),
                                                    QStringLiteral("0")}));
        QCOMPARE(f.w().Memo4->toPlainText(), QStringLiteral("5"));
        QTest::mouseClick(f.w().Button1, Qt::LeftButton);
        QVERIFY(f.w().Memo3->lines().contains(QStringLiteral("一意解です。")));

        // Saved back in cp932, readable by every copy of the program.
        f.desktop.nextSaveNames.push_back(path);
        f.desktop.answers = {true};
        QTest::mouseClick(f.w().Button9, Qt::LeftButton);
        QCOMPARE(readAll(path), bytes("<!--comment\r\n" + sjis("メモ") + "\r\ncomment-->\r\n" + sjis("イ２") +
                                      "\r\n" + sjis("７８") + "\r\n" + sjis("９ウ６") + "\r\n84\r\n" +
                                      sjis("　96") + "\r\n" + sjis("　96") + "\r\n0\r\n<!--JOUKEN=5\r\n"));
    }

    // A file that is text in neither encoding says so.
    WindowFixture f;
    const QString path = dirPath(QStringLiteral("neither.txt"));
    writeAll(path, "\xEF\xBB\xBF#\xE3\x82 x\n12\n");
    f.desktop.nextOpenNames.push_back(path);
    QTest::mouseClick(f.w().Button8, Qt::LeftButton);
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY2(f.desktop.messages.first().contains(QStringLiteral("UTF-8")), qPrintable(f.desktop.messages.first()));
    QVERIFY(f.desktop.messages.first().contains(QStringLiteral("「注釈」")));
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("12"));
}

void FileCommandTest::notesThatWouldNotLoadBackAreNotSaved() {
    WindowFixture f;
    typeWorkedExample(f.w());
    f.w().Memo6->setPlainText(QStringLiteral("前置き\ncomment-->\n後書き"));
    const QString out = dirPath(QStringLiteral("notes.txt"));
    f.desktop.nextSaveNames.push_back(out);
    QTest::mouseClick(f.w().Button9, Qt::LeftButton);
    QCOMPARE(f.desktop.messages,
             QStringList{QStringLiteral("注釈の2行目は「comment-->」だけの行で、保存すると読み戻せません。")});
    QVERIFY(f.desktop.saveStartNames.isEmpty());  // stopped before the dialog
    QVERIFY(!QFile::exists(out));
}

void FileCommandTest::saveResultAppendsOrOverwrites() {
    WindowFixture f;
    varnokit::PuzzleState& state = f.w().state();
    storeWorkedExampleSolutions(state, {{12, 78}});
    f.w().Memo6->setPlainText(QStringLiteral("注釈の行"));
    f.w().Memo3->setPlainText(QStringLiteral("一意解です。\n  所要時間: 0.001秒(2596 MHz)"));
    f.w().Button10->setEnabled(true);
    const std::string one = varnokit::formatReport(
        state, {sjis("注釈の行")}, {sjis("一意解です。"), sjis("  所要時間: 0.001秒(2596 MHz)")});
    QVERIFY(bytes(one).contains(bytes(sjis("注釈の行"))));

    const QString path = dirPath(QStringLiteral("report.txt"));
    f.desktop.nextSaveNames = {path, path};
    QTest::mouseClick(f.w().Button10, Qt::LeftButton);  // 追加 is the default
    QTest::mouseClick(f.w().Button10, Qt::LeftButton);
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(readAll(path), bytes(one + one));

    QVERIFY(f.desktop.questions.isEmpty());  // appending replaces nothing

    f.w().RadioGroup2->item(1)->click();  // 上書: asked first, every time
    f.desktop.nextSaveNames = {path, path};
    f.desktop.answers = {false, true};
    QTest::mouseClick(f.w().Button10, Qt::LeftButton);
    QCOMPARE(readAll(path), bytes(one + one));
    QTest::mouseClick(f.w().Button10, Qt::LeftButton);
    QCOMPARE(readAll(path), bytes(one));
    QCOMPARE(f.desktop.questions.size(), 2);

    // A full device: the write error is reported, not lost.
    f.desktop.nextSaveNames = {QStringLiteral("/dev/full")};
    f.desktop.answers = {true};
    QTest::mouseClick(f.w().Button10, Qt::LeftButton);
    QCOMPARE(f.desktop.messages.size(), 1);
    QCOMPARE(f.desktop.messages.first(),
             varnokit::ui::fromCp932ForDisplay(varnokit::fileStatusMessage(varnokit::FileStatus::WriteError)));
}

void FileCommandTest::uniqueSolutionAppendsBothPasses() {
    WindowFixture f;
    storeWorkedExampleSolutions(f.w().state(), {{12, 78}, {13, 72}});
    f.w().showSolution();
    f.w().Memo3->setPlainText(QStringLiteral("2個の解があります。"));
    f.w().Button11->setEnabled(true);
    const QString before = f.w().Memo3->toPlainText();
    const QString navigation = varnokit::testing::navigationState(f.w());

    QTest::mouseClick(f.w().Button11, Qt::LeftButton);
    QStringList expected{QStringLiteral("2個の解があります。")};
    expected += varnokit::ui::fromCp932ForDisplay(varnokit::analyseConditions(f.w().state()));
    expected += varnokit::ui::fromCp932ForDisplay(varnokit::analyseDigits(f.w().state()));
    QCOMPARE(f.w().Memo3->lines(), expected);
    // Worked by hand: the divisors 12 and 13 differ only in their last cell.
    QVERIFY(expected.contains(QStringLiteral("数字化により一意化可能")));
    QVERIFY(expected.contains(QStringLiteral("  除数: ** → *2")));
    QVERIFY(expected.contains(QStringLiteral("  除数: ** → *3")));

    // Pressing again appends the same lines again; buttons and list untouched.
    QTest::mouseClick(f.w().Button11, Qt::LeftButton);
    QCOMPARE(f.w().Memo3->lines().size(), 2 * expected.size() - 1);
    QVERIFY(f.w().Memo3->toPlainText().startsWith(before));
    QVERIFY(f.w().Button11->isEnabled());
    QCOMPARE(varnokit::testing::navigationState(f.w()), navigation);
    QCOMPARE(f.w().state().solutions.count(), 2);

    // Solutions no single condition or digit tells apart: a line says so.
    storeWorkedExampleSolutions(f.w().state(), {{12, 78}, {12, 78}});
    f.w().Memo3->clear();
    QTest::mouseClick(f.w().Button11, Qt::LeftButton);
    QCOMPARE(f.w().Memo3->lines(), QStringList{QStringLiteral("一つの条件・一つの数字では一意化できません。")});
}

void FileCommandTest::fileNamedAtStartIsLoadedAndExamplesAreFound() {
    // The path the command line takes: no dialog, the same boxes as 問題読込.
    WindowFixture f;
    const QString path = dirPath(QStringLiteral("start.txt"));
    writeAll(path, "12\r\n78\r\n936\r\n84\r\n 96\r\n 96\r\n0\r\n");
    f.w().loadProblemFile(path);
    QVERIFY(f.desktop.messages.isEmpty());
    QCOMPARE(f.w().Memo7->toPlainText(), QStringLiteral("12"));
    QCOMPARE(f.w().Memo1->lines().size(), 5);

    // Installed: PREFIX/bin finds PREFIX/share/varnokit/examples; a program
    // built in build/PRESET/src/ui finds the source tree's examples.
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("usr/bin")));
    QVERIFY(varnokit::ui::examplesFolder(root.filePath(QStringLiteral("usr/bin"))).isEmpty());
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("usr/share/varnokit/examples")));
    QCOMPARE(varnokit::ui::examplesFolder(root.filePath(QStringLiteral("usr/bin"))),
             QDir(root.filePath(QStringLiteral("usr/share/varnokit/examples"))).canonicalPath());
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("tree/build/app/src/ui")));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("tree/examples")));
    QCOMPARE(varnokit::ui::examplesFolder(root.filePath(QStringLiteral("tree/build/app/src/ui"))),
             QDir(root.filePath(QStringLiteral("tree/examples"))).canonicalPath());
}

int runFileCommandTests(int argc, char** argv) {
    FileCommandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "file_commands_test.moc"
