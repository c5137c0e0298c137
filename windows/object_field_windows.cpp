#include "windows/object_field_windows.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPalette>

namespace kestrani {

MouseButton toMouseButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::Other;
    }
}

ObjectFieldWindow::ObjectFieldWindow(const QString& caption, QColor background, const ScreenMetrics& screen,
                                     ExerciseScreen& host, GeometryRule rule)
    : SurfaceWidget(background, host), screen_(screen), rule_(rule) {
    setWindowTitle(caption);
    fitToScreen();
}

void ObjectFieldWindow::fitToScreen() {
    const WindowRect g = rule_(screen_.screenSize());
    placeExactly(g.left, g.top, g.width, g.height);
}

CardWindow::CardWindow(const QString& caption, Sender sender, const ScreenMetrics& screen, ExerciseScreen& host,
                       GeometryRule rule)
    : ObjectFieldWindow(caption, QColor(192, 192, 192), screen, host, rule), sender_(sender) {}

void CardWindow::mousePressEvent(QMouseEvent* event) {
    ObjectFieldWindow::mousePressEvent(event);
    pressTime_ = event->timestamp();
}

void CardWindow::mouseReleaseEvent(QMouseEvent* event) {
    const std::uint64_t pressTime = pressTime_.value_or(event->timestamp());
    pressTime_.reset();
    if (router() && exactRect().contains(event->position().toPoint()))
        router()->cardClicked(sender_, toMouseButton(event->button()), pressTime);
}

TForm2::TForm2(const ScreenMetrics& screen, ExerciseScreen& host)
    : CardWindow(QStringLiteral("Card1"), Sender::TForm2, screen, host, leftCardGeometry) {}

TForm1::TForm1(const ScreenMetrics& screen, ExerciseScreen& host)
    : CardWindow(QStringLiteral("Card2"), Sender::TForm1, screen, host, rightCardGeometry) {}

TForm4::TForm4(const ScreenMetrics& screen, ExerciseScreen& host)
    : ObjectFieldWindow(QStringLiteral("Form4"), QApplication::palette().color(QPalette::Button), screen, host,
                        objectFieldGeometry) {}

void TForm4::mousePressEvent(QMouseEvent* event) {
    SurfaceWidget::mousePressEvent(event);
    if (router() && exactRect().contains(event->position().toPoint()))
        router()->objectFieldPressed(toMouseButton(event->button()), event->timestamp());
}

}  // namespace kestrani
