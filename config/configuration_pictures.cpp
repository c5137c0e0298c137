#include "config/configuration_pictures.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "windows/design_scaling.h"
#include "windows/window_geometry.h"

namespace kestrani {

namespace {

QPixmap transparentPixmap(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap logoPicture() {
    QPixmap pixmap = transparentPixmap(90, 87);
    QPainter painter(&pixmap);
    paintLogo(painter);
    return pixmap;
}

void paintLogo(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);

    // A cube along its diagonal is a hexagon of three rhombic faces around the
    // centre; each face is split into two facets. Cutting the top and bottom
    // corners makes the outline an octagon.
    const QPointF centre(45.0, 43.5);
    const double radius = 43.0;
    QPointF corner[6];
    for (int k = 0; k < 6; ++k) {
        const double angle = (-90.0 + 60.0 * k) * std::numbers::pi / 180.0;
        corner[k] = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    QPainterPath octagon;
    octagon.addRect(QRectF(0, 6, 90, 75));
    painter.setClipPath(octagon);

    const QColor facets[6] = {QColor(0, 160, 0), QColor(0, 0, 139), QColor(200, 0, 200),
                              QColor(220, 0, 0), QColor(255, 230, 0), QColor(255, 140, 0)};
    painter.setPen(QPen(Qt::black, 1));
    for (int k = 0; k < 6; ++k) {
        painter.setBrush(facets[k]);
        painter.drawPolygon(QPolygonF({centre, corner[k], corner[(k + 1) % 6]}));
    }
    // The three edges from the centre that separate the faces.
    painter.setPen(QPen(Qt::black, 2));
    for (int k = 1; k < 6; k += 2)
        painter.drawLine(centre, corner[k]);
}

QPixmap monitorLetteringPicture() {
    QPixmap pixmap = transparentPixmap(114, 80);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QFont font = designFont(timesFamily, 26);
    font.setBold(true);
    font.setItalic(true);
    const QString lines[2] = {QStringLiteral("Настройка"), QStringLiteral("монитора")};
    font.setPixelSize(std::max(8, fittingPixelHeight(26, 108, [&font, &lines](int height) {
                                   font.setPixelSize(height);
                                   return QFontMetrics(font).horizontalAdvance(lines[0]);
                               })));
    painter.setFont(font);

    // Relief: a light edge up and left, a dark shadow down and right, the purple face on top.
    const int baselines[2] = {34, 70};
    for (int line = 0; line < 2; ++line) {
        const QRect box(0, baselines[line] - QFontMetrics(font).ascent(), 112, QFontMetrics(font).height());
        painter.setPen(QColor(230, 180, 230));
        painter.drawText(box.translated(-1, -1), Qt::AlignHCenter, lines[line]);
        painter.setPen(QColor(60, 0, 60));
        painter.drawText(box.translated(2, 2), Qt::AlignHCenter, lines[line]);
        painter.setPen(QColor(128, 0, 128));
        painter.drawText(box, Qt::AlignHCenter, lines[line]);
    }
    return pixmap;
}

}  // namespace kestrani
