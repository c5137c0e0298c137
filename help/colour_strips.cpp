#include "help/colour_strips.h"

#include <array>
#include <cstdint>

namespace kestrani {

namespace {

constexpr int brightest = 253;

std::uint8_t channel(int value) { return static_cast<std::uint8_t>(value); }

struct Band {
    int firstColumn;
    Rgb colour;
};

// The fourteen bands of the banded strip as they stand in its first row.
constexpr std::array<Band, 14> bands{{
    {0, {253, 0, 40}},    {22, {253, 0, 139}},  {49, {230, 0, 253}},  {84, {73, 0, 253}},
    {112, {0, 15, 253}},  {137, {0, 114, 253}}, {157, {0, 205, 253}}, {178, {0, 253, 213}},
    {201, {0, 253, 114}}, {223, {0, 253, 15}},  {248, {73, 253, 0}},  {276, {221, 253, 0}},
    {310, {253, 147, 0}}, {336, {253, 48, 0}},
}};
constexpr int lastColumn = stripWidth - 1;  // has the colour of the first band

// Every other row moves some of the borders one pixel to the right, so that
// the borders wander by one pixel from row to row.
int borderShift(int row, int border) { return row % 2 == 1 && (row / 2 + border) % 3 == 0 ? 1 : 0; }

Rgb bandColour(int row, int column) {
    if (column == lastColumn)
        return bands.front().colour;
    Rgb colour = bands.front().colour;
    for (int border = 1; border < static_cast<int>(bands.size()); ++border) {
        const Band& band = bands[static_cast<std::size_t>(border)];
        if (column >= band.firstColumn + borderShift(row, border))
            colour = band.colour;
    }
    return colour;
}

// A flat area of one colour; between two flat areas the pixels of both
// colours mix, more of the next colour the nearer it is.
struct FlatArea {
    int firstColumn;
    int endColumn;  // one past the last
    Rgb colour;
};

constexpr Rgb red{255, 0, 0};
constexpr std::array<FlatArea, 8> flatAreas{{
    {0, 12, red},
    {42, 72, {255, 0, 255}},     // pink
    {105, 130, {0, 0, 255}},     // blue
    {155, 175, {0, 160, 255}},   // sky blue
    {220, 250, {0, 255, 0}},     // green
    {290, 305, {255, 255, 0}},   // yellow
    {322, 335, {255, 128, 0}},   // orange
    {350, stripWidth, red},
}};

// An ordered 4 × 4 dither: thresholds 0..15 spread evenly over the cell.
constexpr int ditherThreshold[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

Rgb ditheredColour(int row, int column) {
    for (std::size_t i = 0; i < flatAreas.size(); ++i) {
        const FlatArea& area = flatAreas[i];
        if (column < area.endColumn) {
            if (column >= area.firstColumn)
                return area.colour;
            const FlatArea& previous = flatAreas[i - 1];
            const int span = area.firstColumn - previous.endColumn;
            const int level = (2 * (column - previous.endColumn) + 1) * 16 / (2 * span);
            return level > ditherThreshold[row % 4][column % 4] ? area.colour : previous.colour;
        }
    }
    return red;
}

template <typename ColourAt>
std::vector<PixelRow> strip(int height, ColourAt colourAt) {
    std::vector<PixelRow> rows(static_cast<std::size_t>(height), PixelRow(stripWidth));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < stripWidth; ++x)
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = colourAt(y, x);
    return rows;
}

}  // namespace

Rgb sweepColour(int column) {
    const int hue = ((360 - column) % 360 + 360) % 360;
    const int within = hue % 60;
    const std::uint8_t rising = channel(brightest * within / 60);
    const std::uint8_t falling = channel(brightest * (60 - within) / 60);
    const std::uint8_t top = channel(brightest);
    switch (hue / 60) {
    case 0: return {top, rising, 0};
    case 1: return {falling, top, 0};
    case 2: return {0, top, rising};
    case 3: return {0, falling, top};
    case 4: return {rising, 0, top};
    default: return {top, 0, falling};
    }
}

std::vector<PixelRow> smoothSweepStrip() {
    return strip(sweepStripHeight, [](int, int x) { return sweepColour(x); });
}

std::vector<PixelRow> bandedStrip() { return strip(sweepStripHeight, bandColour); }

std::vector<PixelRow> ditheredStrip() { return strip(ditheredStripHeight, ditheredColour); }

}  // namespace kestrani
