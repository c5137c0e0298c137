#include "help/photographs.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace kestrani {

namespace {

const QColor skin(232, 190, 160);
const QColor hair(92, 60, 38);

// A head and shoulders facing the viewer, centred at x, the chin at chinY.
void drawHead(QPainter& p, qreal x, qreal chinY, const QColor& jacket) {
    QPainterPath shoulders;
    shoulders.moveTo(x - 44, 110);
    shoulders.cubicTo(x - 40, chinY + 8, x - 20, chinY + 4, x, chinY + 4);
    shoulders.cubicTo(x + 20, chinY + 4, x + 40, chinY + 8, x + 44, 110);
    shoulders.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(jacket);
    p.drawPath(shoulders);

    p.setBrush(skin.darker(110));
    p.drawRect(QRectF(x - 7, chinY - 6, 14, 12));  // neck
    p.setBrush(skin);
    p.drawEllipse(QRectF(x - 18, chinY - 46, 36, 46));
    p.setBrush(hair);
    p.drawChord(QRectF(x - 19, chinY - 49, 38, 30), 0, 180 * 16);

    p.setBrush(QColor(40, 40, 60));
    p.drawEllipse(QPointF(x - 7, chinY - 26), 2.2, 2.2);
    p.drawEllipse(QPointF(x + 7, chinY - 26), 2.2, 2.2);
    p.setPen(QPen(QColor(150, 70, 60), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(x - 7, chinY - 18, 14, 8), 200 * 16, 140 * 16);
}

QPixmap picture(int width, int height, const std::function<void(QPainter&)>& draw) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

}  // namespace

QPixmap officialPortrait() {
    return picture(90, 98, [](QPainter& p) {
        QLinearGradient studio(0, 0, 0, 98);
        studio.setColorAt(0, QColor(150, 180, 215));
        studio.setColorAt(1, QColor(70, 95, 135));
        p.fillRect(0, 0, 90, 98, studio);
        drawHead(p, 45, 66, QColor(45, 50, 65));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(37, 70), QPointF(53, 70), QPointF(45, 86)}));  // collar
        p.setBrush(QColor(150, 30, 40));
        p.drawPolygon(QPolygonF({QPointF(43, 72), QPointF(47, 72), QPointF(48, 98), QPointF(42, 98)}));  // tie
    });
}

QPixmap carnivalPhoto() {
    return picture(91, 95, [](QPainter& p) {
        p.fillRect(0, 0, 91, 95, QColor(40, 20, 70));
        const QColor confetti[] = {Qt::yellow, Qt::cyan, Qt::magenta, QColor(255, 140, 0), Qt::green};
        for (int i = 0; i < 40; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(confetti[i % 5]);
            p.drawEllipse(QPointF((i * 37) % 91, (i * 53) % 95), 1.5, 1.5);
        }
        drawHead(p, 46, 70, QColor(20, 110, 60));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 20));
        p.drawRoundedRect(QRectF(30, 40, 32, 9), 4, 4);  // carnival mask
        p.setBrush(QColor(230, 40, 90));
        p.drawPolygon(QPolygonF({QPointF(31, 25), QPointF(61, 25), QPointF(46, 2)}));  // party hat
        p.setBrush(Qt::yellow);
        p.drawEllipse(QPointF(46, 3), 3, 3);
    });
}

}  // namespace kestrani
