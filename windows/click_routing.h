#pragma once
// What a mouse click on an exercise window leads to.

#include "engine/exercise_actions.h"
#include "engine/exercise_ports.h"
#include "engine/exercise_state.h"
#include "windows/input_clock.h"

namespace kestrani {

// Other stands for any further button, such as a mouse's side buttons.
enum class MouseButton { Left, Right, Middle, Other };

class ClickRouter {
public:
    ClickRouter(const ExerciseState& state, ExerciseWindows& windows, ExerciseActions& actions, const InputTimes& times)
        : state_(state), windows_(windows), actions_(actions), times_(times) {}

    // pressTime: the window system's time of the button's press.
    // Left-button click (on release) on a card. Precondition: card is TForm2 or TForm1.
    void cardClicked(Sender card, MouseButton button, std::uint64_t pressTime);
    // Any button pressed on the single-object field, at the moment it goes down.
    void objectFieldPressed(MouseButton button, std::uint64_t pressTime);
    // Click on the free area of the backdrop.
    void backdropClicked(MouseButton button, std::uint64_t pressTime);

private:
    void backdropClickRule(std::uint64_t pressTime);

    const ExerciseState& state_;
    ExerciseWindows& windows_;
    ExerciseActions& actions_;
    const InputTimes& times_;
};

}  // namespace kestrani
