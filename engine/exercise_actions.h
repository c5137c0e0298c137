#pragma once
// What the exercise windows' controls and clicks ask of the engine, and who asks.

#include <cstdint>

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

class ExerciseActions {
public:
    virtual ~ExerciseActions() = default;
    virtual void step(Sender sender) = 0;  // TSubmCheck.Button1Click
    // A click or press that answers, made at madeAt on the steady clock. An
    // answer made before the stimulus it would answer was on the screen (during
    // the delay, say) answers nothing and is dropped.
    virtual void answer(Sender sender, std::int64_t madeAt) = 0;
    virtual void generateReference() = 0;  // TSubmCheck.Button2Click, "Изменить эталон"
    virtual void newExercise() = 0;        // "Новое упражнение"
    virtual void leaveExercise() = 0;      // "Выйти из упражнения"
};

}  // namespace kestrani
