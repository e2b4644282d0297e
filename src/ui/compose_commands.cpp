// The 作問 menu: 作問, 一意のまま隠す and 最少の開示. Each reads its puzzle,
// lets the core work with the window's progress bar and 中止, writes its
// lines to the result log and, when it made a puzzle, puts it into the boxes
// (what they held can be brought back with undo).
#include <QApplication>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>

#include "analysis/mask_table.h"
#include "compose/kept_cells.h"
#include "compose/compose_text.h"
#include "compose/draft_from_puzzle.h"
#include "compose/repair.h"
#include "solver/local_time.h"
#include "solver/messages.h"
#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/text_edge.h"

namespace varnokit::ui {
namespace {

// The bar and the user's input at most ten times a second, as a Solve has them.
class WindowControl : public compose::ComposeControl {
public:
    explicit WindowControl(TForm1& window) : w_(window), last_(std::chrono::steady_clock::now()) {}
    void progress(int done, int total) override { percent_ = total > 0 ? done * 100 / total : 100; }
    void processPendingInput() override {
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::milliseconds(100)) return;
        last_ = now;
        w_.ProgressBar1->setValue(percent_);
        w_.ProgressBar1->setVisible(true);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    bool stopRequested() override { return w_.state().abortFlag == 1; }

private:
    TForm1& w_;
    std::chrono::steady_clock::time_point last_;
    int percent_ = 0;
};

QString joined(const std::vector<std::string>& cp932Lines) {
    return fromCp932ForDisplay(cp932Lines).join(QLatin1Char('\n'));
}

}  // namespace

double TForm1::beginComposing() {
    searching_ = true;
    state_.abortFlag = 0;
    reportWasEnabled_ = Button10->isEnabled();
    analysisWasEnabled_ = Button11->isEnabled();
    for (QPushButton* b : {Button1, Button2, Button3, Button8, Button9, Button10, Button11}) b->setEnabled(false);
    Button12->setEnabled(true);
    Memo3->clear();
    const double start = desktop_.now();
    Memo3->appendLine(fromCp932ForDisplay(desktop_.formatTime(start) + kStartedSuffix));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return start;
}

void TForm1::endComposing(double start, bool puzzleChanged) {
    ProgressBar1->hide();
    QApplication::restoreOverrideCursor();
    Memo3->appendLine(fromCp932ForDisplay(std::string(kElapsedPrefix) + formatElapsed(start, desktop_.now()) +
                                          kSecondsSuffix));
    Memo3->scrollToTop();
    for (QPushButton* b : {Button1, Button2, Button3, Button8, Button9}) b->setEnabled(true);
    Button12->setEnabled(false);
    // A new puzzle in the boxes: the report and the analysis wait for its Solve.
    Button10->setEnabled(reportWasEnabled_ && !puzzleChanged);
    Button11->setEnabled(analysisWasEnabled_ && !puzzleChanged);
    state_.abortFlag = 0;
    searching_ = false;
    finishCommand();
}

void TForm1::showComposed(const compose::Draft& draft, bool replaceNotes) {
    keepForUndo();
    dropStartOffer();
    const ProblemBoxes boxes = compose::draftBoxes(draft);
    PuzzleSnapshot puzzle;
    puzzle.notes = replaceNotes ? joined(boxes.notes) : Memo6->toPlainText();
    puzzle.divisor = fromCp932ForDisplay(boxes.divisor);
    puzzle.quotient = fromCp932ForDisplay(boxes.quotient);
    puzzle.body = joined(boxes.body);
    puzzle.condition = fromCp932ForDisplay(boxes.condition);
    putPuzzle(puzzle);  // not saved yet: no file name
    // As after 問題読込: the solution pane waits for a Solve.
    for (MemoBox* box : {Memo2, Memo5, Memo8, Memo9, Memo11, Memo12}) box->clear();
    maskTableBox->clear();
    maskTableBox->hide();
}

void TForm1::openGenerateDialog() {
    if (searching_) return;
    if (!generateDialog_) generateDialog_ = new GenerateDialog(this);
    generateDialog_->offerSeed(freshSeed());
    if (desktop_.runDialog(generateDialog_)) generatePuzzle(generateDialog_->options());
}

void TForm1::openMinimiseDialog() {
    if (searching_) return;
    if (!minimiseDialog_) minimiseDialog_ = new MinimiseDialog(this);
    minimiseDialog_->offerSeed(freshSeed());
    if (desktop_.runDialog(minimiseDialog_)) minimisePuzzle(minimiseDialog_->request());
}

void TForm1::generatePuzzle(const compose::GenerateOptions& options) {
    if (searching_) return;
    if (compose::checkGenerateOptions(options) != compose::GenerateProblem::None) {
        desktop_.showMessage(this, QStringLiteral("商に 0 を必ず入れるには、商が2桁以上必要です。"));
        return;
    }
    const double start = beginComposing();
    WindowControl control(*this);
    compose::SolutionProbe probe(control);
    compose::GenerateResult result = compose::generate(options, probe, control);
    result.minimised.draft.notes = {compose::generatedNote(options)};
    Memo3->appendLines(fromCp932ForDisplay(compose::generateLines(result, options)));
    const bool done = result.minimised.status == compose::MinimiseStatus::Done;
    if (done) showComposed(result.minimised.draft, true);
    endComposing(start, done);
}

void TForm1::minimisePuzzle(const MinimiseRequest& request) {
    if (searching_) return;
    compose::Draft draft;
    PuzzleInput input;
    if (request.fromNumbers) {
        bool ok = false;
        const qulonglong divisor = request.divisor.toULongLong(&ok);
        if (!ok || compose::writeOutDividend(static_cast<int64_t>(divisor), request.dividend.toStdString(), draft) !=
                       compose::LayoutProblem::None) {
            desktop_.showMessage(this, QStringLiteral("除数は1～14桁、被除数は除数以上で、商が14桁以内になる数を"
                                                      "入れてください。"));
            return;
        }
    } else if (!readPuzzleInput(input)) {
        return;  // the user was told which character cp932 cannot hold
    }
    std::string keepCells;
    QString bad;
    if (!toCp932(request.keepCells, keepCells, bad)) {
        desktop_.showMessage(this, unmappableMessage(QStringLiteral("残す桁"), bad));
        return;
    }

    const double start = beginComposing();
    WindowControl control(*this);
    compose::SolutionProbe probe(control);
    auto finish = [&](const std::vector<std::string>& cp932Lines, const QString& line, bool done) {
        Memo3->appendLines(fromCp932ForDisplay(cp932Lines));
        if (!line.isEmpty()) Memo3->appendLine(line);
        endComposing(start, done);
    };
    if (!request.fromNumbers) {
        const compose::ProbeResult first = probe.run(input, 2);
        compose::MinimiseResult refused;
        switch (first.verdict) {
            case compose::ProbeVerdict::Unique: break;
            case compose::ProbeVerdict::Several: refused.status = compose::MinimiseStatus::NotUnique; break;
            case compose::ProbeVerdict::None: refused.status = compose::MinimiseStatus::NoSolution; break;
            case compose::ProbeVerdict::Rejected: refused.status = compose::MinimiseStatus::Rejected; break;
            default: refused.status = compose::MinimiseStatus::Stopped; break;
        }
        if (first.verdict != compose::ProbeVerdict::Unique || !compose::draftFromPuzzle(probe.state(), first.found.front(), draft))
            return finish(compose::minimiseLines(refused, probe.state().pending), {}, false);
    }

    compose::MinimiseOptions hiding = request.hiding;
    std::string badItem;
    if (!compose::markKeptCells(draft, keepCells, hiding.keep, badItem))
        return finish({}, QStringLiteral("残す桁「%1」はこの問題にありません。").arg(fromCp932ForDisplay(badItem)), false);
    if (request.condition == MinimiseRequest::Condition::Drop) draft.condition = -1;
    if (request.condition == MinimiseRequest::Condition::Set) {
        for (int c = 0; c < draft.cellCount(); ++c) {
            const std::size_t i = static_cast<std::size_t>(c);
            if (draft.states[i] == compose::CellState::Hidden && draft.digits[i] == request.conditionDigit)
                return finish({}, QStringLiteral("%1の＊が %2 なので、条件＊≠%2 は付けられません。")
                                      .arg(fromCp932ForDisplay(compose::cellName(draft, c)))
                                      .arg(request.conditionDigit), false);
        }
        draft.condition = request.conditionDigit;
    }
    const compose::MinimiseResult result = compose::minimise(draft, hiding, probe, control);
    const bool done = result.status == compose::MinimiseStatus::Done;
    if (done) showComposed(result.draft, false);
    finish(compose::minimiseLines(result, probe.state().pending), {}, done);
}

void TForm1::repairSolution() {
    const SolutionList& list = state_.solutions;
    if (searching_ || !list.stores() || list.count() < 2 || list.current() < 0) return;
    const compose::Division chosen = compose::storedDivision(state_, list.current());
    const PuzzleInput typed = state_.typed;
    const double start = beginComposing();
    WindowControl control(*this);
    compose::SolutionProbe probe(control);
    const compose::RepairResult result = compose::repair(typed, chosen, {}, probe, control);
    Memo3->appendLines(fromCp932ForDisplay(compose::repairLines(result, probe.state().pending)));
    const bool done = result.status == compose::RepairStatus::Done;
    if (done) showComposed(result.draft, false);
    endComposing(start, done);
}

void TForm1::showMaskTable() {
    const std::vector<MaskBinding> table = maskTable(state_, state_.solutions.current());
    QStringList lines;
    for (const MaskBinding& binding : table)
        lines.append(fromCp932ForDisplay(binding.character) + QLatin1Char('=') + QString::number(binding.digit));
    maskTableBox->setLines(lines);
    maskTableBox->setVisible(!lines.isEmpty());
}

}  // namespace varnokit::ui
