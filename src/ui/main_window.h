// The main window TForm1: the puzzle on the left (divisor, quotient, body,
// condition), the current solution on the right, notes, result log, the
// command buttons and the menu. Every command is one handler here; the work
// itself is done by the core on the window's PuzzleState.
#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <string>
#include <vector>

#include "compose/draft.h"
#include "compose/generate.h"
#include "files/problem_file.h"
#include "model/puzzle_input.h"
#include "model/puzzle_state.h"
#include "ui/compose_dialogs.h"
#include "ui/guide_viewer.h"
#include "ui/log_viewer.h"
#include "ui/puzzle_snapshot.h"
#include "ui/window_memory.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;

namespace varnokit::ui {

class Desktop;
class MemoBox;
class RadioGroup;
class TAboutBox;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The desktop (dialogs, messages, beep, clock) must outlive the window.
    explicit TForm1(Desktop& desktop, QWidget* parent = nullptr);
    ~TForm1() override;

    PuzzleState& state() { return state_; }
    bool isSearching() const { return searching_; }
    TAboutBox* aboutBox() const { return aboutBox_; }
    GuideViewer* guideViewer() const { return guideViewer_; }
    LogViewer* logViewer() const { return logViewer_; }
    const QString& currentFile() const { return currentFile_; }  // shown in the title

    // --- Controls, by their component names ---
    MemoBox *Memo1, *Memo2, *Memo3, *Memo4, *Memo5, *Memo6;
    MemoBox *Memo7, *Memo8, *Memo9, *Memo10, *Memo11, *Memo12;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5, *Button6;
    QPushButton *Button7, *Button8, *Button9, *Button10, *Button11, *Button12;
    QGroupBox* GroupBox1;
    RadioGroup *RadioGroup1, *RadioGroup2;
    QProgressBar* ProgressBar1;
    QMenuBar* MainMenu1;
    QMenu *File1, *Help1;
    QAction *Exit1, *Help2, *N1;

    // --- Added to the design: menus that name every command with its keys ---
    QMenu *editMenu, *solveMenu, *recentMenu;
    QAction *openAction, *saveAction, *saveReportAction;     // File
    QAction *undoAction, *clearAction, *enlargeLogAction;    // 編集
    QAction *solveAction, *abortAction, *analyseAction;      // 解
    QAction *firstAction, *previousAction, *nextAction, *lastAction;
    QMenu* composeMenu;                                       // 作問
    QAction *generateAction, *minimiseAction, *repairAction;
    // Beside the solution: the digit each masking character stands for in
    // it, one line each; hidden for a puzzle without masks.
    MemoBox* maskTableBox;

    // --- Commands ---
    void FormCreate();    // start-up state
    void Button1Click();  // 解く: solve the puzzle in the boxes
    void Button2Click();  // 消去: empty the boxes
    void Button3Click();  // 終了
    void Button4Click();  // 先頭: first solution
    void Button5Click();  // 前: previous solution
    void Button6Click();  // 後: next solution
    void Button7Click();  // 最後: last solution
    void Button8Click();  // 問題読込: load a problem file into the boxes
    void Button9Click();  // 問題保存: save the boxes as a problem file
    void Button10Click(); // 結果保存: write the report of the last Solve
    void Button11Click(); // 一意解: the uniqueness analysis into the log
    void Button12Click(); // 中止: ask the running search to stop
    void Exit1Click();    // File > Exit
    void Help2Click();    // Help > Help: the user's guide at its contents
    void N1Click();       // Help > バージョン情報: the About box

    // --- Added commands ---
    void undoReplace();    // 編集 > 消去・読込を元に戻す: the puzzle "消去"/"問題読込" replaced
    void showLogViewer();  // 編集 > 結果を大きく表示, or a double click on the log
    bool canUndoReplace() const { return !undoStack_.isEmpty(); }

    // --- The 作問 menu: each runs like 解く (progress bar, 中止) and puts
    // its puzzle into the boxes; 中止 leaves them as they were ---
    void generatePuzzle(const compose::GenerateOptions& options);  // 作問, after its dialog
    void minimisePuzzle(const MinimiseRequest& request);           // 一意のまま隠す, after its dialog
    void repairSolution();  // 最少の開示: for the solution shown, of the last Solve's puzzle
    PuzzleSnapshot typedPuzzle() const;  // the five input boxes and the current file

    // Fills the boxes from a problem file, as "問題読込" does after its
    // dialog; a file that cannot be read is one message box.
    void loadProblemFile(const QString& name);

    // Draws the list's current solution and sets the navigation buttons.
    // Precondition: the list is not empty.
    void showSolution();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Home, End, PgUp and PgDn step through the solutions when the focus is
    // on a control that does not use them itself (a button, say).
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class WindowHooks;  // the Solve command's view of the window

    void buildControls();
    void buildCommandMenus();  // the added menus, shortcuts and tooltips
    void buildComposeMenu();   // 作問
    void openGenerateDialog();
    void openMinimiseDialog();
    void showMaskTable();      // of the current solution, or hide the box
    // A composing command's start and end: the buttons and the bar as a
    // Solve has them, the start line and the timing line in the log.
    double beginComposing();
    void endComposing(double start, bool puzzleChanged);
    void finishCommand();  // after a search: close if asked meanwhile, else focus on 解く
    void showComposed(const compose::Draft& draft, bool replaceNotes);
    void connectHandlers();
    void emptyBoxes();    // the twelve boxes, in the order Memo1 … Memo12
    void keepForUndo();   // before the five input boxes are replaced
    void putPuzzle(const PuzzleSnapshot& puzzle);
    void setCurrentFile(const QString& fileName);

    // --- Memory between runs ---
    void restoreMemory();  // after FormCreate: options, recent files, the last puzzle
    void rememberOnClose();
    void rememberProblemFile(const QString& fileName);
    void forgetRecentFile(const QString& fileName);
    void rebuildRecentMenu();
    void dropStartOffer();  // the log's hint that the last run's puzzle can be brought back
    void placeOnScreen();   // the design position, moved fully onto the screen if need be
    void noticeMissingFont();  // tells the user once when no face lines the columns up
    QString chooseSaveName(const QString& title, const QString& startName, bool replaces);
    void exitProgram();   // Exit: stop a running search first, then close

    // A box's text in cp932. False (after telling the user which box holds
    // which character) when cp932 cannot hold one of its characters.
    bool boxText(MemoBox* box, std::string& out);
    bool boxLines(MemoBox* box, std::vector<std::string>& out);
    QString boxName(MemoBox* box) const;
    bool readPuzzleInput(PuzzleInput& input);  // divisor, quotient, body, condition
    void showStatus(FileStatus status);  // the fixed sentence of a file command's failure

    Desktop& desktop_;
    PuzzleState state_;
    TAboutBox* aboutBox_ = nullptr;
    QPointer<GuideViewer> guideViewer_;
    QPointer<LogViewer> logViewer_;
    QList<PuzzleSnapshot> undoStack_;  // newest last
    GenerateDialog* generateDialog_ = nullptr;
    MinimiseDialog* minimiseDialog_ = nullptr;
    bool reportWasEnabled_ = false;   // Button10 and Button11 before a composing command
    bool analysisWasEnabled_ = false;
    QString currentFile_;
    WindowMemory memory_;
    bool searching_ = false;      // a Solve is inside the search
    bool exitRequested_ = false;  // Exit or close arrived during the search
};

}  // namespace varnokit::ui
