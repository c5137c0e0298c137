#pragma once
// What a Wayland compositor tells its clients about the outputs, asked before
// the toolkit starts.

#include <vector>

namespace kestrani {

// The scale factor of each output, in the order the compositor announces
// them; empty where no compositor answers on WAYLAND_DISPLAY.
std::vector<int> waylandOutputScales();

}  // namespace kestrani
