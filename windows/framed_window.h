#pragma once
// A framed top-level window fitted by its outer size: placed with the frame
// the desktop gives it, placed again once the desktop's answer has settled
// and shows that frame, left alone where the desktop maximizes it, and its
// contents scaled afresh from their design layout to the client area it is
// actually given.

#include <QFont>
#include <QRect>
#include <QTimer>
#include <functional>
#include <vector>

#include "windows/design_scaling.h"
#include "windows/framed_window_fit.h"

class QEvent;
class QWidget;

namespace kestrani {

class FramedWindow {
public:
    // Records window's controls as laid out now, at design size.
    // outerGeometry gives the window's outer rectangle on a screen.
    FramedWindow(QWidget& window, const ScreenMetrics& screen, WindowRect (*outerGeometry)(ScreenSize));

    // Runs after the contents have been scaled.
    std::function<void()> afterScaling;

    // Places the window unless it stands as the program last put it.
    void fit();
    bool placed() const { return fit_.placed(); }
    // The scale the contents were last given.
    DesignScale scale() const { return scale_; }
    // To be called with every event of the window.
    void windowEvent(const QEvent& event);

private:
    void place();
    void settled();
    void scaleToClient();
    FrameMargins frame() const;

    QWidget& window_;
    const ScreenMetrics& screen_;
    WindowRect (*outerGeometry_)(ScreenSize);
    FramedWindowFit fit_;
    // A desktop answers a placement with a burst of changes (the frame, its
    // place, perhaps a maximized state) whose order differs between desktops.
    // The window is judged only once they have stopped for a moment, so that
    // a state not yet heard of is never undone by placing the window again.
    QTimer settle_;
    int settleWaitsLeft_ = 0;
    DesignScale scale_;
    DesignLayout design_;
};

}  // namespace kestrani
