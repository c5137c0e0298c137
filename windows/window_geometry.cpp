#include "windows/window_geometry.h"

#include <cstdint>

namespace kestrani {

namespace {

// Integer part of percent/100 × value, as exact decimal arithmetic gives it.
int percentOf(int value, int percent) {
    return static_cast<int>(static_cast<std::int64_t>(value) * percent / 100);
}

// numerator / denominator to the nearest integer, halves away from zero.
int roundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t half = denominator / 2;
    return static_cast<int>(numerator >= 0 ? (numerator + half) / denominator : (numerator - half) / denominator);
}

}  // namespace

WindowRect backdropGeometry(ScreenSize s) { return {0, 0, s.width - 1, percentOf(s.height, 96)}; }

WindowRect referenceWindowGeometry(ScreenSize s) {
    return {s.width / 4, 0, percentOf(s.width, 49), percentOf(s.height, 85)};
}

WindowRect objectFieldGeometry(ScreenSize s) { return referenceWindowGeometry(s); }

WindowRect leftCardGeometry(ScreenSize s) { return {0, 0, percentOf(s.width, 49), percentOf(s.height, 85)}; }

WindowRect rightCardGeometry(ScreenSize s) {
    return {percentOf(s.width, 51), 0, percentOf(s.width, 49), percentOf(s.height, 85)};
}

bool backdropIsFitted(int currentWidth, ScreenSize s) { return currentWidth == s.width - 1; }

bool referenceWindowIsFitted(int currentLeft, ScreenSize s) { return currentLeft == s.width / 4; }

int scaleByScreenHeight(int value, int screenHeight) {
    return roundedQuotient(static_cast<std::int64_t>(value) * screenHeight, 600);
}

WindowRect scaleControl(WindowRect c, int screenHeight) {
    const int left = scaleByScreenHeight(c.left, screenHeight);
    const int top = scaleByScreenHeight(c.top, screenHeight);
    const int right = scaleByScreenHeight(c.left + c.width, screenHeight);
    const int bottom = scaleByScreenHeight(c.top + c.height, screenHeight);
    return {left, top, right - left, bottom - top};
}

int fontPointsForPixelHeight(int pixelHeight) { return roundedQuotient(static_cast<std::int64_t>(pixelHeight) * 72, 96); }

int fontPixelHeightForPoints(int points) { return roundedQuotient(static_cast<std::int64_t>(points) * 96, 72); }

int scaleFontPixelHeight(int pixelHeight, int screenHeight) {
    return fontPixelHeightForPoints(scaleByScreenHeight(fontPointsForPixelHeight(pixelHeight), screenHeight));
}

}  // namespace kestrani
