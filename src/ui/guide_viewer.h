// The Help viewer: a window showing the user's guide, opened at its contents.
#pragma once

#include <QTextBrowser>

namespace varnokit::ui {

class GuideViewer : public QTextBrowser {
    Q_OBJECT
public:
    explicit GuideViewer(QWidget* parent = nullptr);
    void showContents();  // show the window at the guide's table of contents
};

}  // namespace varnokit::ui
