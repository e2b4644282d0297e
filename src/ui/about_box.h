// The About box "バージョン情報": the program's icon, name, version and the
// maker's notice, closed with OK.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace varnokit::ui {

extern const char* const kMakerNotice;  // shown under the version and in the window

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Component names as members and object names.
    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Comments;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;  // centres the box on the screen
};

}  // namespace varnokit::ui
