#pragma once
// What the keyboard does in the program's windows beyond the toolkit's own
// handling.

class QWidget;

namespace kestrani {

// Return and Enter press the window's focused push button, as Space does.
// Applies to the buttons the window has now.
void pressButtonsOnReturn(QWidget& window);

// Tab and Shift+Tab take the window's controls in reading order, as they
// stand now: a group box's controls together where the group box stands,
// the controls of other containers in their own places.
void orderTabsByLayout(QWidget& window);

}  // namespace kestrani
