#pragma once
// A surface of the exercise screen that objects are drawn onto. Drawings go
// into a backing image, so they survive repaints; a surface shown again after
// being closed starts from its background.

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <optional>

#include "engine/exercise_ports.h"
#include "windows/exercise_screen.h"

namespace kestrani {

class SurfaceWidget : public QWidget, public DrawingWindow, public DrawingSurface {
public:
    // Created closed, inside the exercise screen.
    SurfaceWidget(QColor background, ExerciseScreen& exerciseScreen);
    ~SurfaceWidget() override;

    void setBackground(QColor colour);
    QColor background() const { return background_; }

    void show() override;
    void close() override;
    // The screen has changed: a surface on the screen is fitted to it now, a
    // closed one when it is next shown.
    void screenChanged();
    // Whether the surface is on the exercise screen as the program stands: a
    // closed surface leaves it when the program next returns to the event loop.
    bool isVisible() const { return !closed_ && QWidget::isVisible(); }
    void setBackgroundColour(Rgb colour) override { setBackground(QColor(colour.red, colour.green, colour.blue)); }
    int width() const override { return exact_.width(); }
    int height() const override { return exact_.height(); }
    DrawingSurface& surface() override { return *this; }
    // What the surface shows now, for tests.
    QImage surfaceImage();

    void setBrushColour(Rgb colour) override;
    void setPenColour(Rgb colour) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void present() override;
    void flush() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Applies the surface's show rule; runs before a closed surface is shown.
    virtual void fitToScreen() {}
    // Puts the surface at its rectangle in the exercise screen. Where the
    // toolkit hands the screen to the compositor in whole output pixels of
    // several device pixels, the widget takes in the whole output pixels
    // round that rectangle and the backdrop shows in the margin.
    void placeExactly(int left, int top, int width, int height);
    // The surface's rectangle in the widget's own coordinates, and its left
    // edge on the exercise screen.
    QRect exactRect() const { return exact_.translated(-pos()); }
    int exactLeft() const { return exact_.left(); }
    // Clicking a surface brings it to the front and activates the exercise screen.
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage& image();
    QPainter& painter();
    // The painter with the pen and the brush of filled shapes.
    QPainter& shapePainter();
    void endPainting();
    void clearToBackground();

    ExerciseScreen& host_;
    QRect exact_;
    bool closed_ = true;
    QImage image_;
    QColor background_;
    QColor brush_{Qt::white};
    QColor pen_{Qt::black};
    QPoint current_;
    std::optional<QPainter> painter_;
    bool clearOnShow_ = false;
    bool clearPending_ = true;
};

}  // namespace kestrani
