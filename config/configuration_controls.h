#pragma once
// Small controls of the configuration window: a slot check box whose clicks
// go to the availability rules, a picture that reports clicks, and the up and
// down arrows beside the standard colour number.

#include <QCheckBox>
#include <QLabel>
#include <QWidget>
#include <functional>

class QToolButton;

namespace kestrani {

// Shows Off, On and Unavailable as unchecked, checked and partially checked.
// A click does not cycle the state itself: it calls onClick, and the window
// sets the state the rules give. The whole painted box takes the click.
class SlotCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;
    std::function<void()> onClick;

protected:
    void nextCheckState() override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class ClickableImage : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Two arrows, one above the other; they only report clicks.
class SpinButton : public QWidget {
public:
    // Placed and sized at design size; the arrows share the height.
    SpinButton(QWidget* parent, int left, int top, int width, int height);
    std::function<void()> onUp;
    std::function<void()> onDown;

    QToolButton* upArrow;
    QToolButton* downArrow;
};

}  // namespace kestrani
