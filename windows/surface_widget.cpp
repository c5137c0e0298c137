#include "windows/surface_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <algorithm>
#include <cstdlib>

#include "windows/device_pixels.h"

namespace kestrani {

namespace {
QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }
}  // namespace

SurfaceWidget::SurfaceWidget(QColor background, ExerciseScreen& exerciseScreen)
    : QWidget(&exerciseScreen), host_(exerciseScreen), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
    exact_ = geometry();
}

SurfaceWidget::~SurfaceWidget() { endPainting(); }

void SurfaceWidget::setBackground(QColor colour) {
    background_ = colour;
    clearOnShow_ = false;
    clearToBackground();
}

QImage SurfaceWidget::surfaceImage() {
    endPainting();
    return image();
}

// The fill itself waits until the surface is next drawn on or painted.
void SurfaceWidget::clearToBackground() {
    endPainting();
    clearPending_ = true;
    update();
}

QImage& SurfaceWidget::image() {
    if (image_.size() != exact_.size()) {
        image_ = QImage(exact_.size(), QImage::Format_RGB32);
        clearPending_ = true;
    }
    if (clearPending_) {
        clearPending_ = false;
        image_.fill(background_);
    }
    return image_;
}

QPainter& SurfaceWidget::painter() {
    if (!painter_) {
        painter_.emplace(&image());
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

namespace {

// The box between two corners in any order, its right and bottom edges left
// out; a box without area draws nothing.
std::optional<QRect> shapeBox(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (right <= left || bottom <= top)
        return std::nullopt;
    // A 1-pixel outline of QRect(x, y, w, h) covers x..x + w.
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

}  // namespace

QPainter& SurfaceWidget::shapePainter() {
    QPainter& p = painter();
    p.setPen(QPen(pen_, 1));
    p.setBrush(brush_);
    return p;
}

void SurfaceWidget::rectangle(int x1, int y1, int x2, int y2) {
    if (const auto box = shapeBox(x1, y1, x2, y2))
        shapePainter().drawRect(*box);
}

void SurfaceWidget::ellipse(int x1, int y1, int x2, int y2) {
    if (const auto box = shapeBox(x1, y1, x2, y2))
        shapePainter().drawEllipse(*box);
}

void SurfaceWidget::moveTo(int x, int y) { current_ = QPoint(x, y); }

namespace {

// Bresenham's line from one point towards another, the end point left out.
// Lines that stay inside the image (as the splitting lines do) skip the
// per-pixel bounds test.
template <bool Clipped>
void plotLine(QImage& image, QPoint from, QPoint to, QRgb colour) {
    const int width = image.width(), height = image.height();
    const qsizetype stride = image.bytesPerLine() / 4;
    QRgb* const pixels = reinterpret_cast<QRgb*>(image.bits());
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), dy = std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1, sy = y < to.y() ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int steps = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int error = steps / 2;
    for (int i = 0; i < steps; ++i) {
        if (!Clipped || (x >= 0 && y >= 0 && x < width && y < height))
            pixels[y * stride + x] = colour;
        error -= minor;
        if (error < 0) {
            error += steps;
            xMajor ? y += sy : x += sx;
        }
        xMajor ? x += sx : y += sy;
    }
}

bool inside(const QImage& image, QPoint p) { return p.x() >= 0 && p.y() >= 0 && p.x() < image.width() && p.y() < image.height(); }

}  // namespace

void SurfaceWidget::lineTo(int x, int y) {
    endPainting();
    QImage& target = image();
    const QPoint to(x, y);
    if (inside(target, current_) && inside(target, to))
        plotLine<false>(target, current_, to, pen_.rgb());
    else
        plotLine<true>(target, current_, to, pen_.rgb());
    current_ = to;
}

void SurfaceWidget::present() {
    endPainting();
    update();
}

void SurfaceWidget::flush() {
    endPainting();
    if (isVisible())
        repaint();
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    endPainting();
    QPainter p(this);
    const QRect exact = exactRect();
    const QRect area = event->rect() & exact;
    p.drawImage(area, image(), area.translated(-exact.topLeft()));
}

void SurfaceWidget::placeExactly(int left, int top, int width, int height) {
    exact_ = QRect(left, top, width, height);
    const WindowRect w = wholeOutputPixelsAround({left, top, width, height}, host_.outputPixel());
    const QRect widget(w.left, w.top, w.width, w.height);
    // A margin shows the backdrop beneath.
    setAttribute(Qt::WA_OpaquePaintEvent, widget == exact_);
    setAttribute(Qt::WA_NoSystemBackground, widget == exact_);
    setGeometry(widget);
}

void SurfaceWidget::resizeEvent(QResizeEvent*) { update(); }

void SurfaceWidget::show() {
    if (closed_ || isHidden()) {
        closed_ = false;
        if (clearOnShow_) {
            clearOnShow_ = false;
            clearToBackground();
        }
        fitToScreen();
        host_.keep(this);
        QWidget::show();
    }
    raise();
}

void SurfaceWidget::screenChanged() {
    if (isVisible())
        fitToScreen();
}

void SurfaceWidget::close() {
    if (!closed_) {
        closed_ = true;
        clearOnShow_ = true;
        host_.hideLater(this);
    }
}

void SurfaceWidget::mousePressEvent(QMouseEvent*) {
    raise();
    activateWindow();
}

}  // namespace kestrani
