#include "windows/click_routing.h"

namespace kestrani {

void ClickRouter::cardClicked(Sender card, MouseButton button) {
    if (button == MouseButton::Left)
        actions_.step(card);
}

void ClickRouter::objectFieldPressed(MouseButton button) {
    if (button == MouseButton::Left)
        actions_.step(Sender::TForm4);
    else if (button == MouseButton::Right || button == MouseButton::Middle)
        backdropClickRule();
}

void ClickRouter::backdropClicked(MouseButton button) {
    if (button == MouseButton::Left)
        backdropClickRule();
}

void ClickRouter::backdropClickRule() {
    // While the reference is on screen a click only brings it back to the
    // front; it never answers the previous exercise's last stimulus.
    if (!state_.exerciseStarted) {
        windows_.referenceWindow.show();
        return;
    }
    if (state_.exerciseFinished)
        return;
    if (state_.singleObject) {
        actions_.step(Sender::TForm3);
        return;
    }
    windows_.leftCard.show();
    windows_.rightCard.show();
}

}  // namespace kestrani
