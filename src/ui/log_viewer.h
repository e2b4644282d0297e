// The result log in a window of its own, large and resizable, for output
// longer than the four lines the main window's box shows ("一意解" can write
// dozens). It follows the box's text while it is open.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace varnokit::ui {

class LogViewer : public QDialog {
    Q_OBJECT
public:
    LogViewer(QPlainTextEdit* source, QWidget* parent);
    QPlainTextEdit* view() const { return view_; }
    void showLog();  // refresh, show and raise

private:
    void refresh();
    void scheduleRefresh();

    QPlainTextEdit* source_;
    QPlainTextEdit* view_;
    bool refreshPending_ = false;
};

}  // namespace varnokit::ui
