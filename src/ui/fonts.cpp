// Font choices. A generic family ("Monospace") resolves to a Latin font and
// falls back for Japanese, which breaks the 2:1 columns of the body, so every
// font is asked for by its family name, and the fixed one is measured.
#include "ui/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>
#include <optional>

namespace varnokit::ui {
namespace {

const QString kPreferredFixed = QStringLiteral("IPAGothic");
constexpr int kWindowSizes[] = {11, 12, 13, 15, 16};  // the pixel sizes the window uses

QFont named(const QStringList& families, int pixelSize) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}

std::optional<QStringList> candidateOverride;
std::optional<QString> chosenFixed;

// Qt may add the foundry to the family it found: "IPAGothic [UKWN]".
bool isFamily(const QString& found, const QString& family) {
    return found == family || found.startsWith(family + QStringLiteral(" ["));
}

}  // namespace

bool hasExactColumns(const QString& family) {
    for (int px : kWindowSizes) {
        const QFont font = named({family}, px);
        if (!isFamily(QFontInfo(font).family(), family)) return false;  // not installed
        const QRawFont raw = QRawFont::fromFont(font);
        for (char32_t c : {U'9', U'*', U'ア', U'＊', U'漢'})
            if (!raw.supportsCharacter(c)) return false;  // would come from a fallback face
        const QFontMetricsF metrics(font);
        const qreal column = metrics.horizontalAdvance(u'0');
        if (column <= 0) return false;
        for (QChar c : QStringLiteral("123456789* "))
            if (metrics.horizontalAdvance(c) != column) return false;
        for (QChar c : QStringLiteral("ア＊漢　ｱ"))
            if (metrics.horizontalAdvance(c) != (c == u'ｱ' ? column : 2 * column)) return false;
    }
    return true;
}

QString firstWithExactColumns(const QStringList& candidates) {
    for (const QString& family : candidates)
        if (hasExactColumns(family)) return family;
    return {};
}

QStringList fixedFaceCandidates() {
    QStringList gothic, others;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (family == kPreferredFixed) continue;
        const bool sans = family.contains(QStringLiteral("Gothic"), Qt::CaseInsensitive) ||
                          family.contains(QStringLiteral("Sans"), Qt::CaseInsensitive) ||
                          family.contains(QStringLiteral("Mono"), Qt::CaseInsensitive);
        (sans ? gothic : others).append(family);
    }
    return QStringList{kPreferredFixed} + gothic + others;
}

QString fixedFamily() {
    if (!chosenFixed)
        chosenFixed = firstWithExactColumns(candidateOverride ? *candidateOverride : fixedFaceCandidates());
    return *chosenFixed;
}

void setFixedFaceCandidates(const QStringList& candidates) {
    candidateOverride = candidates.isEmpty() ? std::nullopt : std::optional<QStringList>(candidates);
    chosenFixed.reset();
}

QFont fixedFont(int pixelSize) {
    const QString family = fixedFamily();
    return named({family.isEmpty() ? kPreferredFixed : family}, pixelSize);
}

QFont proportionalFont(int pixelSize) {
    const QString fixed = fixedFamily();
    return named({QStringLiteral("IPAPGothic"), fixed.isEmpty() ? kPreferredFixed : fixed}, pixelSize);
}

QFont serifFont(int pixelSize) {
    return named({QStringLiteral("C059"), QStringLiteral("DejaVu Serif")}, pixelSize);
}

}  // namespace varnokit::ui
