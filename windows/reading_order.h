#pragma once
// The order in which a reader takes the controls of a window, which the
// keyboard's Tab key follows.

#include <cstddef>
#include <vector>

#include "windows/window_geometry.h"

namespace kestrani {

// Indexes of the controls row by row from the top, left to right within a
// row. A control whose top lies less than half the smaller height below the
// top of a row's topmost control stands in that row.
std::vector<std::size_t> readingOrder(const std::vector<WindowRect>& controls);

}  // namespace kestrani
