// Builds TForm1's controls at their design positions: a 650 × 450 client
// area below the menu, fixed size, every control named by its component name.
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "ui/about_box.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/memo_box.h"
#include "ui/radio_group.h"

namespace varnokit::ui {
namespace {

enum class Align { Left, Right };
enum class Bars { None, Both };
enum class Lines { Single, Multi };
enum class Tab { Stop, NoStop };

MemoBox* memo(QWidget* parent, const char* name, QRect geometry, Align align, Bars bars,
              Lines lines, Tab tab) {
    auto* box = new MemoBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setFont(fixedFont(13));
    box->setRightJustified(align == Align::Right);
    box->setScrollBars(bars == Bars::Both);
    box->setSingleLine(lines == Lines::Single);
    box->setFocusPolicy(tab == Tab::Stop ? Qt::StrongFocus : Qt::ClickFocus);
    return box;
}

QLabel* label(QWidget* parent, const char* name, int left, int top, const QString& caption,
              const QFont& font, QColor color = QColor()) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(font);
    if (color.isValid()) {
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, color);
        l->setPalette(palette);
    }
    l->move(left, top);
    l->adjustSize();
    return l;
}

QFont underlined(QFont font) {
    font.setUnderline(true);
    return font;
}

QPushButton* button(QWidget* parent, const char* name, QRect geometry, const QString& caption,
                    int fontPx, Tab tab) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    b->setFont(fixedFont(fontPx));
    b->setAutoDefault(false);
    b->setFocusPolicy(tab == Tab::Stop ? Qt::StrongFocus : Qt::ClickFocus);
    return b;
}

}  // namespace

void TForm1::buildControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Varnokit"));
    // System menu and minimise only: no maximise, and the size is fixed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(fixedFont(16));
    move(461, 299);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(650, 450);
    setCentralWidget(client);

    // --- Menu ---
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    Exit1 = File1->addAction(QStringLiteral("&Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    Help1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help2 = Help1->addAction(QStringLiteral("&Help"));
    Help2->setObjectName(QStringLiteral("Help2"));
    N1 = Help1->addAction(QStringLiteral("バージョン情報"));
    N1->setObjectName(QStringLiteral("N1"));
    setMenuBar(MainMenu1);

    // --- Puzzle boxes (left) ---
    Memo7 = memo(client, "Memo7", {5, 48, 116, 20}, Align::Right, Bars::None, Lines::Single, Tab::Stop);
    Memo10 = memo(client, "Memo10", {128, 24, 209, 20}, Align::Left, Bars::None, Lines::Single, Tab::Stop);
    Memo1 = memo(client, "Memo1", {128, 48, 225, 225}, Align::Left, Bars::Both, Lines::Multi, Tab::Stop);
    Memo4 = memo(client, "Memo4", {104, 24, 17, 17}, Align::Left, Bars::None, Lines::Single, Tab::Stop);
    Memo6 = memo(client, "Memo6", {40, 280, 329, 57}, Align::Left, Bars::Both, Lines::Multi, Tab::Stop);
    Memo3 = memo(client, "Memo3", {40, 344, 329, 89}, Align::Left, Bars::Both, Lines::Multi, Tab::NoStop);
    Memo12 = memo(client, "Memo12", {184, 0, 25, 17}, Align::Right, Bars::None, Lines::Multi, Tab::NoStop);

    // --- Solution pane (right) ---
    Memo9 = memo(client, "Memo9", {360, 48, 94, 20}, Align::Right, Bars::None, Lines::Multi, Tab::NoStop);
    Memo8 = memo(client, "Memo8", {456, 24, 169, 20}, Align::Left, Bars::None, Lines::Multi, Tab::NoStop);
    Memo2 = memo(client, "Memo2", {456, 48, 185, 225}, Align::Left, Bars::Both, Lines::Multi, Tab::NoStop);
    Memo5 = memo(client, "Memo5", {392, 0, 25, 17}, Align::Right, Bars::None, Lines::Multi, Tab::NoStop);
    Memo11 = memo(client, "Memo11", {464, 0, 49, 17}, Align::Right, Bars::None, Lines::Multi, Tab::NoStop);
    // In the empty space under the solution's divisor: one line per mask.
    maskTableBox = memo(client, "MaskTable", {360, 74, 92, 199}, Align::Left, Bars::None, Lines::Multi, Tab::NoStop);
    maskTableBox->setReadOnly(true);
    maskTableBox->setToolTip(QStringLiteral("この解で覆面の各文字が表す数字"));
    maskTableBox->hide();

    // --- Labels ---
    const QColor blue(Qt::blue);
    Label2 = label(client, "Label2", 8, 0, QStringLiteral("問題"), underlined(proportionalFont(16)), blue);
    Label8 = label(client, "Label8", 136, 0, QStringLiteral("覆面数"), fixedFont(13));
    Label1 = label(client, "Label1", 24, 24, QStringLiteral("  条件＊≠"), fixedFont(15));
    Label3 = label(client, "Label3", 360, 0, QStringLiteral("解"), underlined(proportionalFont(16)), blue);
    Label7 = label(client, "Label7", 416, 3, QStringLiteral("番目／"), fixedFont(13));
    Label6 = label(client, "Label6", 512, 3, QStringLiteral("個中"), fixedFont(13));
    // Each starts on the right edge of the box before it: the text stands
    // a little in from the label's place so that the two do not touch.
    for (QLabel* l : {Label7, Label6}) {
        l->setIndent(2);
        l->adjustSize();
    }
    QFont notice = serifFont(13);
    notice.setItalic(true);
    Label9 = label(client, "Label9", 544, 0, QString::fromUtf8(kMakerNotice), notice, QColor(Qt::red));
    Label9->setFixedWidth(88);
    Label9->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4 = label(client, "Label4", 8, 280, QStringLiteral("注釈"), underlined(fixedFont(12)), blue);
    Label5 = label(client, "Label5", 8, 344, QStringLiteral("結果"), underlined(fixedFont(13)), blue);

    // --- Command buttons ---
    Button8 = button(client, "Button8", {392, 360, 57, 33}, QStringLiteral("問題読込"), 11, Tab::Stop);
    Button9 = button(client, "Button9", {456, 360, 57, 33}, QStringLiteral("問題保存"), 11, Tab::Stop);
    Button2 = button(client, "Button2", {520, 360, 57, 33}, QStringLiteral("消去"), 12, Tab::Stop);
    Button12 = button(client, "Button12", {584, 360, 49, 33}, QStringLiteral("中止"), 13, Tab::Stop);
    Button1 = button(client, "Button1", {392, 400, 57, 33}, QStringLiteral("解く"), 12, Tab::Stop);
    Button10 = button(client, "Button10", {456, 400, 57, 33}, QStringLiteral("結果保存"), 11, Tab::Stop);
    Button11 = button(client, "Button11", {520, 400, 57, 33}, QStringLiteral("一意解"), 13, Tab::Stop);
    Button3 = button(client, "Button3", {584, 400, 49, 33}, QStringLiteral("終了"), 12, Tab::Stop);

    // --- Navigation between solutions ---
    GroupBox1 = new QGroupBox(QStringLiteral("解移動"), client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(456, 276, 169, 40);
    GroupBox1->setFont(fixedFont(12));
    Button4 = button(GroupBox1, "Button4", {8, 16, 33, 17}, QStringLiteral("先頭"), 12, Tab::NoStop);
    Button5 = button(GroupBox1, "Button5", {48, 16, 33, 17}, QStringLiteral("前"), 12, Tab::NoStop);
    Button6 = button(GroupBox1, "Button6", {88, 16, 33, 17}, QStringLiteral("後"), 12, Tab::NoStop);
    Button7 = button(GroupBox1, "Button7", {128, 16, 35, 17}, QStringLiteral("最後"), 12, Tab::NoStop);

    // --- Options ---
    RadioGroup2 = new RadioGroup(QStringLiteral("RadioGroup2"), QStringLiteral("結果出力"),
                                 {QStringLiteral("追加"), QStringLiteral("上書")}, 2, client);
    RadioGroup2->setGeometry(448, 320, 105, 33);
    RadioGroup2->setFont(fixedFont(13));
    RadioGroup1 = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("終了音"),
                                 {QStringLiteral("有"), QStringLiteral("無")}, 2, client);
    RadioGroup1->setGeometry(560, 320, 73, 33);
    RadioGroup1->setFont(fixedFont(12));

    ProgressBar1 = new QProgressBar(client);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(40, 432, 593, 14);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);

    // --- Keyboard order through the focusable controls ---
    QWidget* order[] = {Memo7, Memo10, Memo1, Button1, Button8, Button9, Button2, Button10,
                        Button3, Memo4, Memo6, RadioGroup1->item(0), RadioGroup1->item(1),
                        RadioGroup2->item(0), RadioGroup2->item(1), Button11, Button12};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace varnokit::ui
