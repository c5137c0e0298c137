#pragma once
// What a mouse click on an exercise window leads to.

#include "engine/exercise_actions.h"
#include "engine/exercise_ports.h"
#include "engine/exercise_state.h"

namespace kestrani {

// Other stands for any further button, such as a mouse's side buttons.
enum class MouseButton { Left, Right, Middle, Other };

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
