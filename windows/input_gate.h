#pragma once
// The program does not react to what the user did while it was busy: a
// press, click or key made on the exercise screen before its latest picture
// was up (during a step, or while the delay was waited out) is dropped, not
// handled late, and so is the release that belongs to a dropped press. Every
// input event's own time is told to the input clock on the way.

#include <QObject>
#include <QSet>

#include "engine/exercise_engine.h"
#include "windows/input_clock.h"

class QWidget;

namespace kestrani {

class InputGate : public QObject {
public:
    // Installed on the application, so that it sees every event first.
    InputGate(InputTimes& times, const ExerciseEngine& engine, const QWidget& exerciseScreen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputTimes& times_;
    const ExerciseEngine& engine_;
    const QWidget& exerciseScreen_;
    Qt::MouseButtons droppedButtons_;
    QSet<int> droppedKeys_;
};

}  // namespace kestrani
