#include "windows/exercise_screen.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

namespace kestrani {

ExerciseScreen::ExerciseScreen() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Kestrani 1.01 rus: упражнение"));
    setAutoFillBackground(true);
}

void ExerciseScreen::setOutsideColour(QColor colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
}

void ExerciseScreen::bringUp() {
    if (!isVisible())
        coverScreen();
    raise();
    activateWindow();
}

void ExerciseScreen::followScreen() {
    if (isVisible())
        coverScreen();
}

// Full-screen alone places the window where a window manager honours it;
// without one the geometry does.
void ExerciseScreen::coverScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    setScreen(screen);
    setGeometry(screen->geometry());
    showFullScreen();
}

void ExerciseScreen::takeDown() {
    settle();
    const bool wasUp = isVisible();
    hide();
    if (wasUp && beneath_ && beneath_->isVisible()) {
        beneath_->raise();
        beneath_->activateWindow();
    }
}

void ExerciseScreen::closeEvent(QCloseEvent* event) {
    if (closeAction_) {
        event->ignore();
        closeAction_();
    }
}

void ExerciseScreen::keyPressEvent(QKeyEvent* event) {
    if (closeAction_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        closeAction_();
    else
        QWidget::keyPressEvent(event);
}

void ExerciseScreen::hideLater(QWidget* surface) {
    if (toHide_.empty())
        QMetaObject::invokeMethod(this, &ExerciseScreen::settle, Qt::QueuedConnection);
    if (std::find(toHide_.begin(), toHide_.end(), surface) == toHide_.end())
        toHide_.emplace_back(surface);
}

void ExerciseScreen::keep(QWidget* surface) { std::erase(toHide_, surface); }

void ExerciseScreen::settle() {
    const auto surfaces = std::exchange(toHide_, {});
    for (const QPointer<QWidget>& surface : surfaces)
        if (surface)
            surface->hide();
}

}  // namespace kestrani
