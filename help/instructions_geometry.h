#pragma once
// Where the instructions window stands once it has been fitted to the screen.

#include "windows/window_geometry.h"

namespace kestrani {

// Outer geometry: at the top-left corner, one pixel narrower than the screen,
// 0.96 of its height with the fraction cut off.
WindowRect instructionsWindowGeometry(ScreenSize screen);

// The window counts as fitted when its outer width is the screen width minus 1.
bool instructionsWindowIsFitted(int outerWidth, ScreenSize screen);

}  // namespace kestrani
