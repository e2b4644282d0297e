// Load problem, Save problem and Save result: the boxes cross into cp932
// here, the file work is the core's, and each failure is one message box.
#include <QFile>
#include <QPushButton>

#include "files/problem_file.h"
#include "files/report.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/radio_group.h"
#include "ui/text_edge.h"

namespace varnokit::ui {
namespace {

std::string localPath(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }

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

/* --- Save problem --- */

void TForm1::Button9Click() {
    ProblemBoxes boxes;
    // Checked before the dialog: a character cp932 cannot hold is never
    // written, and the user learns which box holds it.
    if (!boxLines(Memo6, boxes.notes) || !boxText(Memo7, boxes.divisor) ||
        !boxText(Memo10, boxes.quotient) || !boxLines(Memo1, boxes.body) ||
        !boxText(Memo4, boxes.condition))
        return;
    const QString name = desktop_.saveFileName(this, lastSaveName_);
    if (name.isEmpty()) return;
    lastSaveName_ = name;
    const FileStatus status = writeProblemFile(localPath(name), boxes);
    if (status != FileStatus::Ok) {
        showStatus(status);
        return;
    }
    setCurrentFile(name);
}

/* --- Load problem --- */

void TForm1::Button8Click() {
    const QString name = desktop_.openFileName(this);
    if (name.isEmpty()) return;
    ProblemBoxes boxes;
    // A FIFO would hang the window until some writer came along.
    const FileStatus status = readRegularProblemFile(localPath(name), boxes);
    if (status == FileStatus::CannotOpenInput) {
        showStatus(status);
        return;
    }
    keepForUndo();
    emptyBoxes();
    setCurrentFile(QString());
    const struct { MemoBox* box; QStringList lines; } filled[] = {
        {Memo6, fromCp932ForDisplay(boxes.notes)},
        {Memo7, {fromCp932ForDisplay(boxes.divisor)}},
        {Memo10, {fromCp932ForDisplay(boxes.quotient)}},
        {Memo1, fromCp932ForDisplay(boxes.body)},
        {Memo4, {fromCp932ForDisplay(boxes.condition)}},
    };
    QStringList unreadable;
    for (const auto& f : filled) {
        if (f.box->isSingleLine())
            f.box->setPlainText(f.lines.value(0));
        else
            f.box->setLines(f.lines);
        // Bytes that are not cp932 show as U+FFFD, which cp932 cannot hold:
        // such a box cannot be solved or saved until the user mends it.
        if (f.box->toPlainText().contains(QChar::ReplacementCharacter)) unreadable.append(boxName(f.box));
    }
    if (status != FileStatus::Ok) {
        showStatus(status);
        return;
    }
    Memo6->scrollToTop();
    Memo1->scrollToTop();
    setCurrentFile(name);
    Button10->setEnabled(false);
    Button11->setEnabled(false);
    Memo7->setFocus();
    if (!unreadable.isEmpty())
        desktop_.showMessage(this, QStringLiteral("「%1」の欄に Shift-JIS (cp932) として読めないバイトがあり、"
                                                  "「%2」で示しています。")
                                       .arg(unreadable.join(QStringLiteral("」「")), QChar(QChar::ReplacementCharacter)));
}

/* --- Save result --- */

void TForm1::Button10Click() {
    const ReportMode mode = RadioGroup2->itemIndex() == 1 ? ReportMode::Overwrite : ReportMode::Append;
    std::vector<std::string> notes, log;
    if (!boxLines(Memo6, notes) || !boxLines(Memo3, log)) return;
    const QString name = desktop_.saveFileName(this, lastSaveName_);
    if (name.isEmpty()) return;
    lastSaveName_ = name;
    const FileStatus status = writeReport(localPath(name), mode, state_, notes, log);
    if (status != FileStatus::Ok) showStatus(status);
}

}  // namespace varnokit::ui
