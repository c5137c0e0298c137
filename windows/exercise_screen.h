#pragma once
// The one top-level window of an exercise. It covers the screen the program
// runs on, and the backdrop, the reference window and the object fields are
// surfaces inside it. Its origin is the screen's, so the surfaces stand at
// their screen coordinates; what they leave free shows the backdrop's colour
// and answers no click.
// Showing, hiding and stacking the surfaces are plain widget operations that
// never reach the window system.
//
// A surface closed and shown again within one event never leaves the screen:
// closing it only marks it, and the marked surfaces are hidden when the program
// next returns to the event loop or waits. (Hiding and showing a widget under
// the mouse pointer asks the window system where the pointer is, a round trip
// each time.)

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace kestrani {

class ExerciseScreen : public QWidget {
public:
    ExerciseScreen();

    // The colour of the screen outside the backdrop's rectangle.
    void setOutsideColour(QColor colour);
    // The window that lies beneath the exercise and gets the keyboard back
    // when the exercise screen goes.
    void setWindowBeneath(QWidget* window) { beneath_ = window; }
    // What closing the window from the desktop (a close key, a task bar) and
    // Escape do instead of hiding it alone.
    void setCloseAction(std::function<void()> action) { closeAction_ = std::move(action); }

    // Puts the window full-screen on the program's screen, in front of the
    // program's other windows, with the keyboard.
    void bringUp();
    // Hides the window and gives the keyboard to the window beneath.
    void takeDown();
    // A window on the screen covers the program's screen as it now is.
    void followScreen();

    // The device pixels across one pixel the toolkit hands the compositor:
    // 1, or the output's scale on a scaled Wayland output.
    int outputPixel() const { return outputPixel_; }
    void setOutputPixel(int devicePixels) { outputPixel_ = devicePixels; }

    // Precondition: surface is a child of this window.
    void hideLater(QWidget* surface);
    // Keeps a surface marked by hideLater on the screen.
    void keep(QWidget* surface);
    // Hides the marked surfaces now.
    void settle();
protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void coverScreen();

    QPointer<QWidget> beneath_;
    std::function<void()> closeAction_;
    std::vector<QPointer<QWidget>> toHide_;
    int outputPixel_ = 1;
};

}  // namespace kestrani
