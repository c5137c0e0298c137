#pragma once
// The Qt side of the engine's message boxes, blocking wait and screen size.

#include <QPointer>
#include <QWidget>

#include "engine/exercise_ports.h"
#include "windows/window_geometry.h"

class QMessageBox;
class QScreen;

namespace kestrani {

// A message box in the windows' serif font at the size they are scaled to on
// the screen, wide enough for a desktop to show its whole title.
void styleMessageBox(QMessageBox& box, ScreenSize screen);

// Boxes about one window: while it is on screen they open centred over it
// with the keyboard on "OK" and give it the keyboard back when closed.
class QtMessageBoxes : public MessageBoxes {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    // The screen the boxes are styled for; without one they keep the toolkit's look.
    void setScreen(const ScreenMetrics* screen) { screen_ = screen; }
    void showInformation(std::string_view text) override;

private:
    QPointer<QWidget> owner_;
    const ScreenMetrics* screen_ = nullptr;
};

// Puts the windows as they now stand on the screen, then blocks the GUI
// thread; events that arrive meanwhile wait in the queue.
class QtBlockingWait : public BlockingWait {
public:
    void waitBlocking(int milliseconds) override;
};

// The primary screen, the one the program runs on. A change of its size, or
// another screen becoming primary, is told to the change handler.
class QtScreenMetrics : public ScreenMetrics {
public:
    QtScreenMetrics();
    ScreenSize screenSize() const override;

private:
    void follow(QScreen* screen);

    QObject connections_;
    QMetaObject::Connection geometry_;
    mutable ScreenSize last_{800, 600};
};

}  // namespace kestrani
