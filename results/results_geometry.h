#pragma once
// Where the results window stands: a framed window that fits the screen with
// its frame.

#include "windows/window_geometry.h"

namespace kestrani {

// Outer geometry, frame included: nine tenths of the area the window may use,
// centred in it. area is the screen without its panels.
WindowRect resultsWindowGeometry(WindowRect area);

}  // namespace kestrani
