#include "windows/framed_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "windows/design_scaling.h"

namespace kestrani {

namespace {

// A Wayland compositor places every window itself and ignores the program's
// positions; only a maximized window is sure to stand wholly on the screen.
bool desktopPlacesWindows() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

}  // namespace

FramedWindow::FramedWindow(QWidget& window, const ScreenMetrics& screen, WindowRect (*outerGeometry)(ScreenSize))
    : window_(window), screen_(screen), outerGeometry_(outerGeometry), design_(window) {
    settle_.setSingleShot(true);
    settle_.setInterval(150);
    QObject::connect(&settle_, &QTimer::timeout, [this] { settled(); });
}

void FramedWindow::fit() {
    const QRect outer = window_.frameGeometry();
    if (fit_.needsPlacing(screen_.screenSize(), outer.width(), outer.height(), window_.isMaximized())) {
        fit_.startRound();
        place();
    }
}

void FramedWindow::windowEvent(const QEvent& event) {
    switch (event.type()) {
    case QEvent::Resize:
        if (fit_.placed() || desktopPlacesWindows())
            scaleToClient();
        [[fallthrough]];
    case QEvent::Move:
    case QEvent::WindowStateChange:
        // Changes after the answer settled are the user's, unless the frame
        // changed with them.
        if (fit_.placed() && (settle_.isActive() || fit_.frameChanged(frame())))
            settle_.start();
        break;
    case QEvent::Hide:
        settle_.stop();
        break;
    default:
        break;
    }
}

void FramedWindow::place() {
    if (desktopPlacesWindows()) {
        window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
        scaleToClient();
        return;
    }
    const FramedWindowFit::Placement p = fit_.place(screen_.screenSize(), outerGeometry_(screen_.screenSize()), frame());
    window_.move(p.frameLeft, p.frameTop);
    window_.resize(p.clientWidth, p.clientHeight);
    scaleToClient();
    settleWaitsLeft_ = 20;
    settle_.start();
}

void FramedWindow::settled() {
    if (!window_.isVisible() || window_.isMaximized() || window_.isFullScreen() || desktopPlacesWindows())
        return;
    // A window not yet on the screen has no frame from the desktop so far.
    if (!window_.windowHandle()->isExposed()) {
        if (--settleWaitsLeft_ > 0)
            settle_.start();
        return;
    }
    const QRect outer = window_.frameGeometry();
    if (fit_.needsPlacingAgain({outer.x(), outer.y(), outer.width(), outer.height()}))
        place();
}

// Scaling starts from the design layout, so scaling again never compounds.
void FramedWindow::scaleToClient() {
    const DesignScale scale = framedWindowScale(screen_.screenSize(), window_.width(), window_.height());
    if (scale == scale_)
        return;
    scale_ = scale;
    design_.scaleTo(scale);
    fitTexts(window_);
    if (afterScaling)
        afterScaling();
}

FrameMargins FramedWindow::frame() const {
    const QMargins m = window_.windowHandle() ? window_.windowHandle()->frameMargins() : QMargins();
    return {m.left(), m.top(), m.right(), m.bottom()};
}

}  // namespace kestrani
