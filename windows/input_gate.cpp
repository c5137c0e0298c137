#include "windows/input_gate.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace kestrani {

InputGate::InputGate(InputTimes& times, const ExerciseEngine& engine, const QWidget& exerciseScreen)
    : times_(times), engine_(engine), exerciseScreen_(exerciseScreen) {}

namespace {

// The events the user makes, which carry the time they were made; the
// toolkit's own (entering a window, hovering) carry none.
bool madeByTheUser(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: return true;
    default: return false;
    }
}

}  // namespace

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    // The window system delivers input to a window first, then the toolkit
    // hands it to a widget: each event is seen once, at its window.
    if (!watched->isWindowType() || !madeByTheUser(event->type()))
        return false;
    const auto* input = static_cast<const QInputEvent*>(event);
    if (input->timestamp() == 0)  // made up by the toolkit
        return false;
    times_.observe(input->timestamp());
    if (static_cast<QWindow*>(watched) != exerciseScreen_.windowHandle())
        return false;
    const bool tooEarly = !engine_.acceptsInputMadeAt(times_.madeAt(input->timestamp()));
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const Qt::MouseButton button = static_cast<const QMouseEvent*>(event)->button();
        if (!tooEarly)
            return false;
        droppedButtons_ |= button;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const Qt::MouseButton button = static_cast<const QMouseEvent*>(event)->button();
        if (!droppedButtons_.testFlag(button))
            return false;
        droppedButtons_ &= ~Qt::MouseButtons(button);
        return true;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        if (!tooEarly)
            return false;
        droppedKeys_.insert(key);
        return true;
    }
    case QEvent::KeyRelease:
        return droppedKeys_.remove(static_cast<const QKeyEvent*>(event)->key());
    default:
        return false;
    }
}

}  // namespace kestrani
