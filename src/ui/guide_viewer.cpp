// The guide is compiled into the program as a Qt resource (docs/guide.html).
#include "ui/guide_viewer.h"

#include <QUrl>

namespace varnokit::ui {

GuideViewer::GuideViewer(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("GuideViewer"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Varnokit ヘルプ"));
    setOpenExternalLinks(false);
    resize(640, 560);
    setSource(QUrl(QStringLiteral("qrc:/guide/guide.html")));
}

void GuideViewer::showContents() {
    scrollToAnchor(QStringLiteral("contents"));
    show();
    raise();
    activateWindow();
}

}  // namespace varnokit::ui
