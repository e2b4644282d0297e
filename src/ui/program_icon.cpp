// Draws the icon: a division bracket, a row of digits with one masked by a
// star, on a pale tile. Drawn rather than shipped so it scales cleanly.
#include "ui/program_icon.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/fonts.h"

namespace varnokit::ui {

QPixmap programIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size / 64.0;

    painter.setPen(QPen(QColor(40, 70, 140), 2 * s));
    painter.setBrush(QColor(235, 242, 255));
    painter.drawRoundedRect(QRectF(2 * s, 2 * s, 60 * s, 60 * s), 8 * s, 8 * s);

    // The bracket: a curved stroke down the left, the bar across the top.
    QPainterPath bracket;
    bracket.moveTo(22 * s, 20 * s);
    bracket.quadTo(27 * s, 30 * s, 22 * s, 40 * s);
    bracket.moveTo(22 * s, 20 * s);
    bracket.lineTo(56 * s, 20 * s);
    painter.setPen(QPen(QColor(20, 20, 20), 3 * s, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bracket);

    QFont font = fixedFont(static_cast<int>(13 * s));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(20, 20, 20));
    painter.drawText(QRectF(4 * s, 22 * s, 18 * s, 16 * s), Qt::AlignCenter, QStringLiteral("7"));
    painter.drawText(QRectF(26 * s, 22 * s, 30 * s, 16 * s), Qt::AlignCenter, QStringLiteral("9*4"));
    painter.setPen(QColor(200, 30, 30));
    painter.drawText(QRectF(30 * s, 4 * s, 26 * s, 16 * s), Qt::AlignCenter, QStringLiteral("**"));
    painter.setPen(QColor(40, 70, 140));
    painter.drawText(QRectF(26 * s, 40 * s, 30 * s, 16 * s), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

}  // namespace varnokit::ui
