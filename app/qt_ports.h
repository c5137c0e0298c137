#pragma once
// The Qt side of the engine's message boxes, blocking wait and screen size.

#include <QPointer>
#include <QWidget>

#include "engine/exercise_ports.h"
#include "windows/window_geometry.h"

namespace kestrani {

// Boxes about one window: while it is on screen they open centred over it
// with the keyboard on "OK" and give it the keyboard back when closed.
class QtMessageBoxes : public MessageBoxes {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    void showInformation(std::string_view text) override;

private:
    QPointer<QWidget> owner_;
};

// Puts the windows as they now stand on the screen, then blocks the GUI
// thread; events that arrive meanwhile wait in the queue.
class QtBlockingWait : public BlockingWait {
public:
    void waitBlocking(int milliseconds) override;
};

class QtScreenMetrics : public ScreenMetrics {
public:
    ScreenSize screenSize() const override;
};

}  // namespace kestrani
