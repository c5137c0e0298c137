#pragma once
// Where the exercise windows stand on a screen of a given size, and how the
// windows laid out for a 600-pixel-high screen scale their contents.

#include <functional>

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
    // What runs once the screen the program runs on, or its size, has changed;
    // one handler, replaced by the next. Registering changes nothing about
    // the screen, so it may be done through a const reference.
    void onChange(std::function<void()> handler) const { changed_ = std::move(handler); }

protected:
    void notifyChange() const {
        if (changed_)
            changed_();
    }

private:
    mutable std::function<void()> changed_;
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

// How a window laid out for a screen of 800 × 600 scales to the real screen:
// by the screen height over 600, or by the screen width over 800 where that is
// smaller, so that screens of 4:3 and wider scale by their height and narrower
// ones still hold the whole layout. The ratio is numerator / denominator.
// shiftDown moves the controls standing on the window down, so that a band of
// controls at the window's bottom stays there when the width sets the ratio.
struct DesignScale {
    int numerator = 1;
    int denominator = 1;
    int shiftDown = 0;
    friend bool operator==(const DesignScale&, const DesignScale&) = default;
};

// Precondition for all: the screen's width and height are positive.
DesignScale designScale(ScreenSize screen);
// The ratio of designScale; the controls move down so that the design row
// anchorRow (in design pixels) lands where scaling by the height would put it.
DesignScale designScaleAnchoredAt(ScreenSize screen, int anchorRow);
// The backdrop's band of prompts and buttons stays at its bottom edge, and the
// reference window's buttons at its bottom edge.
DesignScale backdropScale(ScreenSize screen);
DesignScale referenceWindowScale(ScreenSize screen);

// value × the ratio, to the nearest integer, halves away from zero.
int scaleDesignValue(int value, DesignScale scale);

// A control scaled edge by edge: width and height are the differences of the
// scaled edges; its top moves down by shiftDown.
WindowRect scaleControl(WindowRect control, DesignScale scale);

// Font sizes scale in points; fonts are given by their character height in
// pixels at 96 dots per inch.
int fontPointsForPixelHeight(int pixelHeight);
int fontPixelHeightForPoints(int points);
int scaleFontPixelHeight(int pixelHeight, DesignScale scale);

// The width a message box needs so that a desktop shows its whole title:
// the title's width (in the box's font, made bold as title bars are) and
// room for the title bar's icon and three buttons, 128 design pixels.
int messageBoxMinimumWidth(int titleWidth, DesignScale scale);

// The largest character height up to pixelHeight at which a text fits room
// pixels; textWidth gives the text's width at a character height, and grows
// with it. A text that fits nowhere gets height 1.
int fittingPixelHeight(int pixelHeight, int room, const std::function<int(int)>& textWidth);

}  // namespace kestrani
