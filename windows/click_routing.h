#pragma once
// What a mouse click on an exercise window leads to.

#include "engine/exercise_ports.h"
#include "engine/exercise_state.h"

namespace kestrani {

// Who runs the exercise step: "Начали?", a timer or a clicked window.
enum class Sender {
    Button1,  // "Начали?" of TSubmCheck
    Timer1,   // reference-show limit ran out
    Timer2,   // object-show limit ran out
    TForm2,   // left card
    TForm1,   // right card
    TForm4,   // single-object field
    TForm3,   // backdrop
};

// Other stands for any further button, such as a mouse's side buttons.
enum class MouseButton { Left, Right, Middle, Other };

// The actions the exercise windows' controls and clicks lead to.
class ExerciseActions {
public:
    virtual ~ExerciseActions() = default;
    virtual void step(Sender sender) = 0;  // TSubmCheck.Button1Click
    virtual void generateReference() = 0;  // TSubmCheck.Button2Click, "Изменить эталон"
    virtual void newExercise() = 0;        // "Новое упражнение"
    virtual void leaveExercise() = 0;      // "Выйти из упражнения"
};

class ClickRouter {
public:
    ClickRouter(const ExerciseState& state, ExerciseWindows& windows, ExerciseActions& actions)
        : state_(state), windows_(windows), actions_(actions) {}

    // Left-button click (on release) on a card. Precondition: card is TForm2 or TForm1.
    void cardClicked(Sender card, MouseButton button);
    // Any button pressed on the single-object field, at the moment it goes down.
    void objectFieldPressed(MouseButton button);
    // Click on the free area of the backdrop.
    void backdropClicked(MouseButton button);

private:
    void backdropClickRule();

    const ExerciseState& state_;
    ExerciseWindows& windows_;
    ExerciseActions& actions_;
};

}  // namespace kestrani
