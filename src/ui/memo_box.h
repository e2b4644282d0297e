// The text box of the window: a plain-text editor that can hold a single
// line (Enter and pasted line breaks insert nothing), be right-justified,
// and be read and written as a list of lines.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace varnokit::ui {

class MemoBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoBox(QWidget* parent = nullptr);

    // --- Shape ---
    void setSingleLine(bool singleLine);
    bool isSingleLine() const { return singleLine_; }
    void setRightJustified(bool right);
    bool isRightJustified() const;
    void setScrollBars(bool both);  // both always shown, or none

    // --- Lines ---
    // The lines as an edit box counts them: none when empty, and a final line
    // break does not start another line.
    QStringList lines() const;
    void setLines(const QStringList& lines);
    void appendLine(const QString& line);
    void appendLines(const QStringList& lines);
    void scrollToTop();  // first line at the top of the view

signals:
    void doubleClicked();

protected:
    // The box's own undo (Ctrl+Z) while it has typing to undo; after that
    // the key goes on to the window, whose undo brings back what "消去" or
    // "問題読込" replaced.
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool singleLine_ = false;
};

// Text with every line break removed: what a single-line box keeps of a paste.
QString withoutLineBreaks(const QString& text);

}  // namespace varnokit::ui
