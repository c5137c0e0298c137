#pragma once
// A framed top-level window fitted by its outer size: placed with the frame
// the desktop gives it, placed again once that frame is known, left alone
// where the desktop maximizes it, and its contents scaled afresh from their
// design layout to the client area it is actually given.

#include <QFont>
#include <QRect>
#include <QTimer>
#include <functional>
#include <vector>

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
    // To be called with the window's move and resize events.
    void windowEvent(const QEvent& event);

private:
    struct DesignControl {
        QWidget* control;
        QRect geometry;
        QFont font;
        bool ownFont;
    };

    void place();
    void scaleToClient();
    FrameMargins frame() const;

    QWidget& window_;
    const ScreenMetrics& screen_;
    WindowRect (*outerGeometry_)(ScreenSize);
    FramedWindowFit fit_;
    // The desktop reports the frame some time after the window appears, and
    // not always with an event to the window: a short watch after placing
    // puts the window again until it stands as set.
    QTimer frameWatch_;
    int frameChecksLeft_ = 0;
    DesignScale scale_;
    QFont designFont_;
    std::vector<DesignControl> design_;
};

}  // namespace kestrani
