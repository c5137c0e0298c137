#include "config/configuration_controls.h"

#include <QMouseEvent>
#include <QToolButton>

namespace kestrani {

void SlotCheckBox::nextCheckState() {
    if (onClick)
        onClick();
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
        onClick();
    QLabel::mouseReleaseEvent(event);
}

SpinButton::SpinButton(QWidget* parent, int left, int top, int width, int height) : QWidget(parent) {
    setGeometry(left, top, width, height);
    upArrow = new QToolButton(this);
    upArrow->setArrowType(Qt::UpArrow);
    upArrow->setGeometry(0, 0, width, height / 2);
    downArrow = new QToolButton(this);
    downArrow->setArrowType(Qt::DownArrow);
    downArrow->setGeometry(0, height / 2, width, height - height / 2);
    for (QToolButton* arrow : {upArrow, downArrow})
        arrow->setFocusPolicy(Qt::NoFocus);
    connect(upArrow, &QToolButton::clicked, this, [this] {
        if (onUp)
            onUp();
    });
    connect(downArrow, &QToolButton::clicked, this, [this] {
        if (onDown)
            onDown();
    });
}

}  // namespace kestrani
