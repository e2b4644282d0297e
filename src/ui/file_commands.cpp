// Load problem, Save problem and Save result: the boxes cross into cp932
// here, the file work is the core's, and each failure is one message box.
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include "files/problem_file.h"
#include "files/report.h"
#include "platform/file_saving.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/radio_group.h"
#include "ui/text_edge.h"

namespace varnokit::ui {
namespace {

std::string localPath(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }

// A folder to start a dialog in, with a slash so the dialog opens it
// rather than proposing its name.
QString folderOf(const QString& fileName) {
    return fileName.isEmpty() ? QString() : QFileInfo(fileName).absolutePath() + QLatin1Char('/');
}

}  // namespace

/* --- Boxes to cp932 --- */

bool TForm1::boxText(MemoBox* box, std::string& out) {
    QString bad;
    if (toCp932(withoutLineBreaks(box->toPlainText()), out, bad)) return true;
    desktop_.showMessage(this, unmappableMessage(boxName(box), bad));
    box->setFocus();
    return false;
}

bool TForm1::boxLines(MemoBox* box, std::vector<std::string>& out) {
    QString bad;
    if (toCp932(box->lines(), out, bad)) return true;
    desktop_.showMessage(this, unmappableMessage(boxName(box), bad));
    box->setFocus();
    return false;
}

QString TForm1::boxName(MemoBox* box) const {
    if (box == Memo7) return QStringLiteral("除数");
    if (box == Memo10) return QStringLiteral("商");
    if (box == Memo1) return QStringLiteral("問題");
    if (box == Memo4) return QStringLiteral("条件");
    if (box == Memo6) return QStringLiteral("注釈");
    if (box == Memo3) return QStringLiteral("結果");
    return box->objectName();
}

void TForm1::showStatus(FileStatus status) {
    desktop_.showMessage(this, fromCp932ForDisplay(fileStatusMessage(status)));
}

/* --- Choosing a file to write --- */

// The name as the user will find it: a name without an extension gets
// ".txt", unless a file of exactly that name already exists (the user
// picked it). Replacing an existing file is asked first, every time.
QString TForm1::chooseSaveName(const QString& title, const QString& startName, bool replaces) {
    QString name = desktop_.saveFileName(this, title, startName);
    if (name.isEmpty()) return {};
    const QFileInfo chosen(name);
    if (!chosen.exists() && chosen.suffix().isEmpty() && !chosen.fileName().isEmpty())
        name += QStringLiteral(".txt");
    if (replaces && QFileInfo::exists(name) &&
        !desktop_.askYesNo(this, QStringLiteral("「%1」はすでにあります。上書きしますか？")
                                     .arg(QFileInfo(name).fileName())))
        return {};
    return name;
}

/* --- Save problem --- */

void TForm1::Button9Click() {
    ProblemBoxes boxes;
    // Checked before the dialog: a character cp932 cannot hold is never
    // written, and the user learns which box holds it.
    if (!boxLines(Memo6, boxes.notes) || !boxText(Memo7, boxes.divisor) ||
        !boxText(Memo10, boxes.quotient) || !boxLines(Memo1, boxes.body) ||
        !boxText(Memo4, boxes.condition))
        return;
    // Nor is a file written that would not load back as the boxes stand.
    const std::string unsavable = reasonNotLoadableBack(boxes);
    if (!unsavable.empty()) {
        desktop_.showMessage(this, fromCp932ForDisplay(unsavable));
        return;
    }
    const QString start = currentFile_.isEmpty() ? folderOf(memory_.problemFile()) : currentFile_;
    const QString name = chooseSaveName(QStringLiteral("問題保存"), start, true);
    if (name.isEmpty()) return;
    const FileStatus status = writeProblemFile(localPath(name), boxes);
    if (status != FileStatus::Ok) {
        showStatus(status);
        return;
    }
    setCurrentFile(name);
    rememberProblemFile(name);
}

/* --- Load problem --- */

void TForm1::Button8Click() {
    const QString name = desktop_.openFileName(this, memory_.problemFile());
    if (!name.isEmpty()) loadProblemFile(name);
}

void TForm1::loadProblemFile(const QString& name) {
    ProblemBoxes boxes;
    // A FIFO would hang the window until some writer came along.
    const FileStatus status = readRegularProblemFile(localPath(name), boxes);
    if (status == FileStatus::CannotOpenInput) {
        showStatus(status);
        if (!QFileInfo::exists(name)) forgetRecentFile(name);
        return;
    }
    keepForUndo();
    dropStartOffer();
    emptyBoxes();
    setCurrentFile(QString());
    // A UTF-8 file's text goes into the boxes as it is; Solve and Save
    // convert it to cp932 like typed text (and name a character it lacks).
    const bool utf8 = boxes.encoding == TextEncoding::Utf8;
    const auto text = [utf8](const std::string& bytes) {
        return utf8 ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
                    : fromCp932ForDisplay(bytes);
    };
    const auto lines = [&text](const std::vector<std::string>& all) {
        QStringList out;
        for (const std::string& line : all) out.append(text(line));
        return out;
    };
    const struct { MemoBox* box; QStringList lines; } filled[] = {
        {Memo6, lines(boxes.notes)},
        {Memo7, {text(boxes.divisor)}},
        {Memo10, {text(boxes.quotient)}},
        {Memo1, lines(boxes.body)},
        {Memo4, {text(boxes.condition)}},
    };
    QStringList unreadable;
    for (const auto& f : filled) {
        if (f.box->isSingleLine())
            f.box->setPlainText(f.lines.value(0));
        else
            f.box->setLines(f.lines);
        // Bytes that are not text in the file's encoding show as U+FFFD,
        // which cp932 cannot hold: such a box cannot be solved or saved
        // until the user mends it.
        if (f.box->toPlainText().contains(QChar::ReplacementCharacter)) unreadable.append(boxName(f.box));
    }
    if (status != FileStatus::Ok) {
        showStatus(status);
        return;
    }
    Memo6->scrollToTop();
    Memo1->scrollToTop();
    setCurrentFile(name);
    rememberProblemFile(name);
    Button10->setEnabled(false);
    Button11->setEnabled(false);
    Memo7->setFocus();
    if (!unreadable.isEmpty())
        desktop_.showMessage(this, QStringLiteral("このファイルは Shift-JIS (cp932) のテキストでも UTF-8 の"
                                                  "テキストでもありません。「%1」の欄に読めないバイトがあり、"
                                                  "「%2」で示しています。")
                                       .arg(unreadable.join(QStringLiteral("」「")), QChar(QChar::ReplacementCharacter)));
}

/* --- Save result --- */

void TForm1::Button10Click() {
    const ReportMode mode = RadioGroup2->itemIndex() == 1 ? ReportMode::Overwrite : ReportMode::Append;
    std::vector<std::string> notes, log;
    if (!boxLines(Memo6, notes) || !boxLines(Memo3, log)) return;
    // Reports have a name of their own: a problem file is never offered.
    const QString last = memory_.reportFile();
    const QString start = last.isEmpty() ? folderOf(memory_.problemFile()) : last;
    const QString name = chooseSaveName(QStringLiteral("結果保存"), start, mode == ReportMode::Overwrite);
    if (name.isEmpty()) return;
    const FileStatus status = writeReport(localPath(name), mode, state_, notes, log);
    if (status != FileStatus::Ok) {
        showStatus(status);
        return;
    }
    memory_.setReportFile(name);
}

}  // namespace varnokit::ui
