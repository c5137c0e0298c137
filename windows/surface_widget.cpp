#include "windows/surface_widget.h"

#include <QMouseEvent>
#include <algorithm>

namespace kestrani {

namespace {
QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }
}  // namespace

SurfaceWidget::SurfaceWidget(QColor background) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

SurfaceWidget::~SurfaceWidget() { endPainting(); }

void SurfaceWidget::setBackground(QColor colour) {
    background_ = colour;
    clearToBackground();
}

QImage SurfaceWidget::surfaceImage() {
    endPainting();
    return image_;
}

void SurfaceWidget::clearToBackground() {
    endPainting();
    if (image_.size() != size())
        image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(background_);
    update();
}

QPainter& SurfaceWidget::painter() {
    if (!painter_) {
        if (image_.size() != size()) {
            image_ = QImage(size(), QImage::Format_RGB32);
            image_.fill(background_);
        }
        painter_.emplace(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
    }
    return *painter_;
}

void SurfaceWidget::endPainting() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void SurfaceWidget::setBrushColour(Rgb colour) { brush_ = toQColor(colour); }
void SurfaceWidget::setPenColour(Rgb colour) { pen_ = toQColor(colour); }

void SurfaceWidget::rectangle(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (right <= left || bottom <= top)
        return;
    QPainter& p = painter();
    p.setPen(QPen(pen_, 1));
    p.setBrush(brush_);
    p.drawRect(left, top, right - left - 1, bottom - top - 1);
}

void SurfaceWidget::ellipse(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (right <= left || bottom <= top)
        return;
    QPainter& p = painter();
    p.setPen(QPen(pen_, 1));
    p.setBrush(brush_);
    p.drawEllipse(left, top, right - left - 1, bottom - top - 1);
}

void SurfaceWidget::moveTo(int x, int y) { current_ = QPoint(x, y); }

void SurfaceWidget::lineTo(int x, int y) {
    QPainter& p = painter();
    p.setPen(QPen(pen_, 1));
    p.drawLine(current_, QPoint(x, y));
    current_ = QPoint(x, y);
}

void SurfaceWidget::present() {
    endPainting();
    if (isVisible())
        repaint();
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    endPainting();
    QPainter p(this);
    if (image_.size() != size())
        p.fillRect(rect(), background_);
    p.drawImage(0, 0, image_);
}

void SurfaceWidget::resizeEvent(QResizeEvent*) {
    if (image_.size() != size())
        clearToBackground();
}

void SurfaceWidget::showEvent(QShowEvent*) {
    if (clearOnShow_) {
        clearOnShow_ = false;
        clearToBackground();
    }
}

void SurfaceWidget::hideEvent(QHideEvent*) { clearOnShow_ = true; }

void SurfaceWidget::showAndRaise() {
    if (!isVisible()) {
        fitToScreen();
        show();
    }
    raise();
    activateWindow();
}

void SurfaceWidget::mousePressEvent(QMouseEvent*) {
    raise();
    activateWindow();
}

}  // namespace kestrani
