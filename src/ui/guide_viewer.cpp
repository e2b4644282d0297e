// The guides are compiled into the program as Qt resources (docs/guide.html
// in Japanese, docs/guide.en.html in English).
#include "ui/guide_viewer.h"

#include <QUrl>

namespace varnokit::ui {

GuideViewer::GuideViewer(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("GuideViewer"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Varnokit ヘルプ"));
    setOpenExternalLinks(false);
    resize(640, 560);
    setSource(guideFor(QLocale()));
}

QUrl GuideViewer::guideFor(const QLocale& locale) {
    return QUrl(locale.language() == QLocale::Japanese ? QStringLiteral("qrc:/guide/guide.html")
                                                        : QStringLiteral("qrc:/guide/guide.en.html"));
}

void GuideViewer::showContents() {
    scrollToAnchor(QStringLiteral("contents"));
    show();
    raise();
    activateWindow();
}

}  // namespace varnokit::ui
