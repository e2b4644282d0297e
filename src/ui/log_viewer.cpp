// The enlarged result log: a read-only copy, refreshed once per burst of
// changes (the analysis appends its lines one by one).
#include "ui/log_viewer.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace varnokit::ui {

LogViewer::LogViewer(QPlainTextEdit* source, QWidget* parent)
    : QDialog(parent), source_(source), view_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("LogViewer"));
    setWindowTitle(QStringLiteral("結果 - Varnokit"));
    setModal(false);
    setSizeGripEnabled(true);
    view_->setObjectName(QStringLiteral("LogView"));
    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setFont(source->font());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view_);
    resize(640, 480);
    connect(source_, &QPlainTextEdit::textChanged, this, &LogViewer::scheduleRefresh);
}

void LogViewer::showLog() {
    refresh();
    show();
    raise();
    activateWindow();
}

void LogViewer::scheduleRefresh() {
    if (!isVisible() || refreshPending_) return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, &LogViewer::refresh);
}

void LogViewer::refresh() {
    refreshPending_ = false;
    view_->setPlainText(source_->toPlainText());
}

}  // namespace varnokit::ui
