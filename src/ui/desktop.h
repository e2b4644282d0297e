// What the window asks of the desktop: file names, message boxes, the beep,
// the clock and the help viewer. The window reaches them only through this
// interface, so tests replace it and never meet a modal dialog.
#pragma once

#include <QString>
#include <string>

class QDialog;
class QWidget;

namespace varnokit::ui {

class Desktop {
public:
    virtual ~Desktop() = default;

    // --- Dialogs (empty result: the user cancelled) ---
    // Both list text files (*.txt) first; neither asks before a file is
    // replaced: the window asks that itself, with askYesNo.
    virtual QString openFileName(QWidget* parent, const QString& startPath) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& startName) = 0;
    virtual void showMessage(QWidget* parent, const QString& text) = 0;  // modal, OK button
    virtual bool askYesNo(QWidget* parent, const QString& question) = 0;  // modal; No is the default
    // Shows a settings dialog modally; true when the user pressed OK.
    virtual bool runDialog(QDialog* dialog);

    // --- System ---
    virtual void beep() = 0;
    virtual double now() = 0;  // local date and time in days since 1899-12-30
    virtual std::string formatTime(double when) = 0;  // cp932
    virtual std::string clockDescription() = 0;       // cp932, takes about a second
};

// The real desktop: Qt's file dialogs and message box, QApplication::beep.
class QtDesktop : public Desktop {
public:
    QString openFileName(QWidget* parent, const QString& startPath) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& startName) override;
    void showMessage(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& question) override;
    void beep() override;
    double now() override;
    std::string formatTime(double when) override;
    std::string clockDescription() override;
};

}  // namespace varnokit::ui
