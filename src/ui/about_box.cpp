// Builds the About box at its design size and positions.
#include "ui/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "ui/fonts.h"
#include "ui/program_icon.h"
#include "varnokit_version.h"

namespace varnokit::ui {

const char* const kMakerNotice = "\u00a9 Varnokit";

namespace {

template <typename W>
W* place(W* widget, const char* name, int left, int top) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->move(left, top);
    return widget;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFont(proportionalFont(12));
    setFixedSize(298, 213);
    setModal(true);

    Panel1 = place(new QFrame(this), "Panel1", 8, 8);
    Panel1->resize(281, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);  // lowered outer bevel
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(1);

    ProgramIcon = place(new QLabel(Panel1), "ProgramIcon", 8, 8);
    ProgramIcon->resize(65, 57);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(programIcon(64));

    ProductName = place(new QLabel(QStringLiteral("Varnokit"), Panel1), "ProductName", 88, 16);
    Version = place(new QLabel(QStringLiteral("version " VARNOKIT_VERSION), Panel1), "Version", 88, 40);
    Copyright = place(new QLabel(QString::fromUtf8(kMakerNotice), Panel1), "Copyright", 8, 80);
    Comments = place(new QLabel(Panel1), "Comments", 8, 104);
    Comments->setWordWrap(true);
    Comments->resize(265, 49);
    for (QLabel* label : {ProductName, Version, Copyright}) label->adjustSize();

    OKButton = place(new QPushButton(QStringLiteral("OK"), this), "OKButton", 111, 180);
    OKButton->resize(75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

}  // namespace varnokit::ui
