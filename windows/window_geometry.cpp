#include "windows/window_geometry.h"

#include <algorithm>
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

// The design screen: 800 × 600, the smallest screen of 4:3 the windows fill.
constexpr int designScreenWidth = 800;
constexpr int designScreenHeight = 600;

int scaledByHeight(int value, ScreenSize s) {
    return roundedQuotient(static_cast<std::int64_t>(value) * s.height, designScreenHeight);
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

DesignScale designScale(ScreenSize s) {
    // width / 800 < height / 600, in whole numbers.
    if (static_cast<std::int64_t>(s.width) * designScreenHeight < static_cast<std::int64_t>(s.height) * designScreenWidth)
        return {s.width, designScreenWidth, 0};
    return {s.height, designScreenHeight, 0};
}

DesignScale designScaleAnchoredAt(ScreenSize s, int anchorRow) {
    DesignScale scale = designScale(s);
    scale.shiftDown = scaledByHeight(anchorRow, s) - scaleDesignValue(anchorRow, scale);
    return scale;
}

// 0.96 and 0.85 of the design screen's height: the bottom edges of the
// backdrop and of the reference window there.
DesignScale backdropScale(ScreenSize s) { return designScaleAnchoredAt(s, 576); }

DesignScale referenceWindowScale(ScreenSize s) { return designScaleAnchoredAt(s, 510); }

int scaleDesignValue(int value, DesignScale scale) {
    return roundedQuotient(static_cast<std::int64_t>(value) * scale.numerator, scale.denominator);
}

WindowRect scaleControl(WindowRect c, DesignScale scale) {
    const int left = scaleDesignValue(c.left, scale);
    const int top = scaleDesignValue(c.top, scale);
    const int right = scaleDesignValue(c.left + c.width, scale);
    const int bottom = scaleDesignValue(c.top + c.height, scale);
    return {left, top + scale.shiftDown, right - left, bottom - top};
}

int fontPointsForPixelHeight(int pixelHeight) { return roundedQuotient(static_cast<std::int64_t>(pixelHeight) * 72, 96); }

int fontPixelHeightForPoints(int points) { return roundedQuotient(static_cast<std::int64_t>(points) * 96, 72); }

int scaleFontPixelHeight(int pixelHeight, DesignScale scale) {
    return fontPixelHeightForPoints(scaleDesignValue(fontPointsForPixelHeight(pixelHeight), scale));
}

int messageBoxMinimumWidth(int titleWidth, DesignScale scale) { return titleWidth + scaleDesignValue(128, scale); }

// Every height measured costs a font of that size, so the search starts at
// the height the text would fit at if its width grew in proportion, and steps
// from there.
int fittingPixelHeight(int pixelHeight, int room, const std::function<int(int)>& textWidth) {
    const int widest = textWidth(pixelHeight);
    if (pixelHeight <= 1 || widest <= room)
        return pixelHeight;
    const std::int64_t guess = static_cast<std::int64_t>(pixelHeight) * std::max(room, 0) / std::max(widest, 1);
    int height = static_cast<int>(std::clamp<std::int64_t>(guess, 1, pixelHeight - 1));
    if (textWidth(height) <= room) {
        while (height + 1 < pixelHeight && textWidth(height + 1) <= room)
            ++height;
        return height;
    }
    while (height > 1 && textWidth(--height) > room) {
    }
    return height;
}

}  // namespace kestrani
