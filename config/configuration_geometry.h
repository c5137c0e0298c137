#pragma once
// Where the configuration window stands: its design place and size for a
// screen 600 pixels high, and its place on the real screen once fitted.

#include "windows/window_geometry.h"

namespace kestrani {

inline constexpr WindowRect configurationDesignGeometry{5, 2, 812, 572};

// A window as high as the screen is left as it stands.
bool configurationWindowIsFitted(int currentHeight, ScreenSize screen);

// The full screen width, 0.96 of its height with the fraction cut off, at 0, 0.
WindowRect configurationWindowGeometry(ScreenSize screen);

}  // namespace kestrani
