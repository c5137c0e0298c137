#pragma once
// Where the exercise windows stand on a screen of a given size, and how the
// windows laid out for a 600-pixel-high screen scale their contents.

namespace kestrani {

struct ScreenSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    virtual ScreenSize screenSize() const = 0;
};

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// Outer geometry from the screen size; fractions keep the integer part.
WindowRect backdropGeometry(ScreenSize screen);         // TForm3
WindowRect referenceWindowGeometry(ScreenSize screen);  // TSubmCheck
WindowRect objectFieldGeometry(ScreenSize screen);      // TForm4
WindowRect leftCardGeometry(ScreenSize screen);         // TForm2
WindowRect rightCardGeometry(ScreenSize screen);        // TForm1

// Guards: a window that passes its guard has been fitted already.
bool backdropIsFitted(int currentWidth, ScreenSize screen);
bool referenceWindowIsFitted(int currentLeft, ScreenSize screen);

// value × screenHeight / 600, to the nearest integer, halves away from zero.
int scaleByScreenHeight(int value, int screenHeight);

// A control scaled edge by edge: width and height are the differences of the
// scaled edges.
WindowRect scaleControl(WindowRect control, int screenHeight);

// Font sizes scale in points; fonts are given by their character height in
// pixels at 96 dots per inch.
int fontPointsForPixelHeight(int pixelHeight);
int fontPixelHeightForPoints(int points);
int scaleFontPixelHeight(int pixelHeight, int screenHeight);

}  // namespace kestrani
