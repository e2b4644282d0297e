// TForm1's start-up and its small commands: Clear, Abort, Exit, Help and
// About, and the closing of the window.
#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "ui/about_box.h"
#include "ui/desktop.h"
#include "ui/fonts.h"
#include "ui/guide_viewer.h"
#include "ui/log_viewer.h"
#include "ui/memo_box.h"
#include "ui/program_icon.h"
#include "ui/radio_group.h"

namespace varnokit::ui {

TForm1::TForm1(Desktop& desktop, QWidget* parent) : QMainWindow(parent), desktop_(desktop) {
    buildControls();
    buildCommandMenus();
    buildComposeMenu();
    setWindowIcon(QIcon(programIcon(64)));
    connectHandlers();
    FormCreate();
    restoreMemory();
    noticeMissingFont();
    aboutBox_ = new TAboutBox(this);  // created hidden, shown by N1Click
}

TForm1::~TForm1() = default;

void TForm1::connectHandlers() {
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    connect(Button10, &QPushButton::clicked, this, &TForm1::Button10Click);
    connect(Button11, &QPushButton::clicked, this, &TForm1::Button11Click);
    connect(Button12, &QPushButton::clicked, this, &TForm1::Button12Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(Help2, &QAction::triggered, this, &TForm1::Help2Click);
    connect(N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(undoAction, &QAction::triggered, this, &TForm1::undoReplace);
    connect(undoAction, &QAction::triggered, this, &TForm1::dropStartOffer);
    connect(enlargeLogAction, &QAction::triggered, this, &TForm1::showLogViewer);
    connect(Memo3, &MemoBox::doubleClicked, this, &TForm1::showLogViewer);
}

void TForm1::emptyBoxes() {
    for (MemoBox* box : {Memo1, Memo2, Memo3, Memo4, Memo5, Memo6, Memo7, Memo8, Memo9, Memo10,
                         Memo11, Memo12})
        box->clear();
    maskTableBox->clear();
    maskTableBox->hide();
}

void TForm1::FormCreate() {
    emptyBoxes();
    undoAction->setEnabled(false);
    for (QPushButton* b : {Button4, Button5, Button6, Button7, Button10, Button11, Button12})
        b->setEnabled(false);
    placeOnScreen();
    show();
    // The frame's size is known once the window is on the screen.
    QTimer::singleShot(0, this, &TForm1::placeOnScreen);
    Memo7->setFocus();
    RadioGroup1->setItemIndex(0);  // 終了音: 有
    RadioGroup2->setItemIndex(0);  // 結果出力: 追加
    state_.abortFlag = 0;
    ProgressBar1->hide();
}

// Clear leaves the stored solutions and the navigation buttons alone: they
// still step through the last Solve's solutions into the emptied pane.
void TForm1::Button2Click() {
    keepForUndo();
    dropStartOffer();
    emptyBoxes();
    setCurrentFile(QString());
    Memo7->setFocus();
    for (QPushButton* b : {Button10, Button11, Button12}) b->setEnabled(false);
}

void TForm1::Button12Click() { state_.abortFlag = 1; }

void TForm1::Button3Click() { exitProgram(); }

void TForm1::Exit1Click() { exitProgram(); }

void TForm1::exitProgram() { close(); }

// The menu and the close box stay usable while the search runs, and the
// search lets them run from inside itself. Closing then would free the
// solutions under the search, so the search is asked to stop as Abort does,
// and the Solve command closes the window once the search has unwound.
void TForm1::closeEvent(QCloseEvent* event) {
    if (searching_) {
        state_.abortFlag = 1;
        exitRequested_ = true;
        event->ignore();
        return;
    }
    rememberOnClose();
    state_.solutions.reset();  // release every stored solution
    if (guideViewer_) guideViewer_->close();
    if (logViewer_) logViewer_->close();
    event->accept();
}

// Said once, not at every start: the user cannot mend it from the window.
// In English too, since without a Japanese face the Japanese text is boxes.
void TForm1::noticeMissingFont() {
    if (!fixedFamily().isEmpty()) {
        memory_.setFontNoticeGiven(false);  // a later loss is told again
        return;
    }
    if (memory_.fontNoticeGiven()) return;
    memory_.setFontNoticeGiven(true);
    QTimer::singleShot(0, this, [this] {
        desktop_.showMessage(
            this, QStringLiteral("全角文字がちょうど半角2文字分の幅になる日本語の等幅フォントが見つかりません。"
                                 "問題の列がずれて表示されます。IPAゴシック (fonts-ipafont-gothic) を"
                                 "インストールしてください。\n\n"
                                 "No Japanese fixed-pitch font with full-width characters exactly two "
                                 "columns wide was found, so the columns of a puzzle will not line up. "
                                 "Please install IPAGothic (Debian package fonts-ipafont-gothic)."));
    });
}

void TForm1::Help2Click() {
    if (!guideViewer_) guideViewer_ = new GuideViewer(this);
    guideViewer_->showContents();
}

void TForm1::N1Click() { aboutBox_->exec(); }

}  // namespace varnokit::ui
