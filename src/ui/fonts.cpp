// Font choices. A generic family ("Monospace") resolves to a Latin font and
// falls back for Japanese, which breaks the 2:1 columns of the body, so every
// font is asked for by its family name.
#include "ui/fonts.h"

#include <QStringList>

namespace varnokit::ui {
namespace {

QFont named(const QStringList& families, int pixelSize) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

QFont fixedFont(int pixelSize) { return named({QStringLiteral("IPAGothic")}, pixelSize); }

QFont proportionalFont(int pixelSize) {
    return named({QStringLiteral("IPAPGothic")}, pixelSize);
}

QFont serifFont(int pixelSize) {
    return named({QStringLiteral("C059"), QStringLiteral("DejaVu Serif")}, pixelSize);
}

}  // namespace varnokit::ui
