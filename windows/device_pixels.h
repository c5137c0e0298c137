#pragma once
// One pixel of layout is one device pixel on every screen, a scaled Wayland
// output included.

#include <string>
#include <vector>

#include "windows/window_geometry.h"

namespace kestrani {

// A Wayland compositor scales a window by its output's whole-number scale
// factor, and the toolkit then draws each pixel of layout as that many device
// pixels across. The toolkit's own factor of one over the output's scale
// takes a pixel of layout back to one device pixel. Gives the toolkit's
// per-screen factors, in the outputs' order and separated by ';', or an
// empty text where no output is scaled.
// Precondition: every scale is at least 1.
std::string screenFactorsForDevicePixels(const std::vector<int>& outputScales);

// The toolkit then hands the compositor whole output pixels, each
// outputPixel device pixels across; a part of a window repainted with an
// edge inside an output pixel leaves the rest of that output pixel stale.
// Gives the smallest rectangle of whole output pixels that holds rect.
// Precondition: outputPixel is at least 1.
WindowRect wholeOutputPixelsAround(WindowRect rect, int outputPixel);

}  // namespace kestrani
