#pragma once
// The three colour test strips of the monitor settings page as rows of RGB
// pixels: the smooth red-to-red sweep, the same sweep as a display with few
// colours dithers it, and the sweep reduced to fourteen flat bands.

#include <vector>

#include "engine/colour_model.h"

namespace kestrani {

using PixelRow = std::vector<Rgb>;

inline constexpr int stripWidth = 360;
inline constexpr int sweepStripHeight = 36;     // Image1 and Image3
inline constexpr int ditheredStripHeight = 35;  // Image2

// Column x of the sweep: the fully saturated colour of hue (360 − x) mod 360
// degrees with the largest channel 253 and the smallest 0.
Rgb sweepColour(int column);

std::vector<PixelRow> smoothSweepStrip();
std::vector<PixelRow> bandedStrip();
std::vector<PixelRow> ditheredStrip();

}  // namespace kestrani
