// The Help viewer: a window showing the user's guide, opened at its contents.
// Each guide links to the other.
#pragma once

#include <QLocale>
#include <QTextBrowser>
#include <QUrl>

namespace varnokit::ui {

class GuideViewer : public QTextBrowser {
    Q_OBJECT
public:
    explicit GuideViewer(QWidget* parent = nullptr);
    void showContents();  // show the window at the guide's table of contents

    // The guide in Japanese, or in English for a locale of another language.
    static QUrl guideFor(const QLocale& locale);
};

}  // namespace varnokit::ui
