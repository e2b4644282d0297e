// The window's text box. Pasting goes through the same filter as typing, so
// a single-line box never gains a second line, whichever way text arrives.
#include "ui/memo_box.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace varnokit::ui {

QString withoutLineBreaks(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c != u'\n' && c != u'\r' && c != QChar::ParagraphSeparator && c != QChar::LineSeparator)
            out.append(c);
    }
    return out;
}

MemoBox::MemoBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);  // Tab moves between boxes, as in the window's tab order
    document()->setDocumentMargin(2);
    setScrollBars(false);
}

void MemoBox::setSingleLine(bool singleLine) { singleLine_ = singleLine; }

void MemoBox::setRightJustified(bool right) {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(right ? Qt::AlignRight : Qt::AlignLeft);
    document()->setDefaultTextOption(option);
}

bool MemoBox::isRightJustified() const {
    return document()->defaultTextOption().alignment() & Qt::AlignRight;
}

void MemoBox::setScrollBars(bool both) {
    Qt::ScrollBarPolicy policy = both ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    setVerticalScrollBarPolicy(policy);
    setHorizontalScrollBarPolicy(policy);
}

QStringList MemoBox::lines() const {
    QString text = toPlainText();
    if (text.isEmpty()) return {};
    QStringList out = text.split(u'\n');
    if (out.size() > 1 && out.last().isEmpty()) out.removeLast();
    return out;
}

// A final line break ends the last line rather than starting another, so an
// empty last line is written with a line break of its own ("a", "" is "a\n\n").
void MemoBox::setLines(const QStringList& lines) {
    QString text = lines.join(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) text.append(u'\n');
    setPlainText(text);
}

void MemoBox::appendLine(const QString& line) {
    // Looks at the last character only: the log can grow to thousands of lines.
    const int count = document()->characterCount();  // includes the closing separator
    const bool empty = count <= 1;
    const bool endsWithBreak = !empty && document()->characterAt(count - 2) == QChar::ParagraphSeparator;
    QString added;
    if (!empty && !endsWithBreak) added.append(u'\n');
    added.append(line);
    if (line.isEmpty()) added.append(u'\n');
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(added);
}

void MemoBox::appendLines(const QStringList& lines) {
    for (const QString& line : lines) appendLine(line);
}

void MemoBox::scrollToTop() { verticalScrollBar()->setValue(0); }

bool MemoBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) && !document()->isUndoAvailable()) {
            event->ignore();  // left to the window's shortcut
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void MemoBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void MemoBox::keyPressEvent(QKeyEvent* event) {
    if (singleLine_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->ignore();  // no line break; the key goes on to the window
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MemoBox::insertFromMimeData(const QMimeData* source) {
    if (!singleLine_ || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    insertPlainText(withoutLineBreaks(source->text()));
}

void MemoBox::inputMethodEvent(QInputMethodEvent* event) {
    // An input method may commit a line break (some send one for Enter).
    if (singleLine_ && withoutLineBreaks(event->commitString()) != event->commitString()) {
        QInputMethodEvent filtered(event->preeditString(), event->attributes());
        filtered.setCommitString(withoutLineBreaks(event->commitString()),
                                 event->replacementStart(), event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&filtered);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

}  // namespace varnokit::ui
