#include "windows/click_routing.h"

namespace kestrani {

void ClickRouter::cardClicked(Sender card, MouseButton button, std::uint64_t pressTime) {
    if (button == MouseButton::Left)
        actions_.answer(card, times_.madeAt(pressTime));
}

void ClickRouter::objectFieldPressed(MouseButton button, std::uint64_t pressTime) {
    if (button == MouseButton::Left)
        actions_.answer(Sender::TForm4, times_.madeAt(pressTime));
    else if (button == MouseButton::Right || button == MouseButton::Middle)
        backdropClickRule(pressTime);
}

void ClickRouter::backdropClicked(MouseButton button, std::uint64_t pressTime) {
    if (button == MouseButton::Left)
        backdropClickRule(pressTime);
}

void ClickRouter::backdropClickRule(std::uint64_t pressTime) {
    // While the reference is on screen a click only brings it back to the
    // front; it never answers the previous exercise's last stimulus.
    if (!state_.exerciseStarted) {
        windows_.referenceWindow.show();
        return;
    }
    if (state_.exerciseFinished)
        return;
    if (state_.singleObject) {
        actions_.answer(Sender::TForm3, times_.madeAt(pressTime));
        return;
    }
    windows_.leftCard.show();
    windows_.rightCard.show();
}

}  // namespace kestrani
