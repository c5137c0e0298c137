#pragma once
// The small interfaces through which the exercise engine reaches the screen.
// The Qt shell implements them with real windows; tests use hand-written fakes.

#include <cstdint>
#include <string_view>

#include "engine/colour_model.h"

namespace kestrani {

// A window's drawing surface. Objects are drawn straight onto it.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    virtual void setBrushColour(Rgb colour) = 0;
    virtual void setPenColour(Rgb colour) = 0;  // the pen is always 1 pixel wide
    // Filled with the brush and outlined with the pen; the corners may come in
    // any order; the right and bottom edges are exclusive.
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    // The ellipse inscribed in the same box as rectangle() would fill.
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A straight line in the pen colour from the current point; it becomes the current point.
    virtual void lineTo(int x, int y) = 0;
    // Has everything drawn so far put on the screen as soon as the program
    // next waits for input.
    virtual void present() = 0;
    // Puts everything drawn so far on the screen now, before returning.
    virtual void flush() = 0;
};

class ShowableWindow {
public:
    virtual ~ShowableWindow() = default;
    // Makes the window visible and brings it to the front; a window that
    // becomes visible is first fitted by its show rule.
    virtual void show() = 0;
    // Hides the window; it keeps its size, colour and controls.
    virtual void close() = 0;
};

// The reference window and the three object fields.
class DrawingWindow : public ShowableWindow {
public:
    // Repaints the whole surface in the colour.
    virtual void setBackgroundColour(Rgb colour) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual DrawingSurface& surface() = 0;
};

// The dark-grey backdrop with its two prompt lines.
class Backdrop : public ShowableWindow {
public:
    virtual void setUpperPrompt(std::string_view text) = 0;  // Label1
    virtual void setLowerPrompt(std::string_view text) = 0;  // Label2
};

struct ExerciseWindows {
    DrawingWindow& referenceWindow;  // TSubmCheck
    DrawingWindow& leftCard;         // TForm2
    DrawingWindow& rightCard;        // TForm1
    DrawingWindow& objectField;      // TForm4
    Backdrop& backdrop;              // TForm3
};

// Modal information message boxes with one OK button.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns when the user has closed the box. Window and timer events are
    // delivered while it is open.
    virtual void showInformation(std::string_view text) = 0;
};

// A wait that blocks the program for its whole length: nothing is handled
// meanwhile, and input made during it is handled afterwards, in order.
class BlockingWait {
public:
    virtual ~BlockingWait() = default;
    virtual void waitBlocking(int milliseconds) = 0;
};

// The program's steady clock: milliseconds that only go forward, from an
// arbitrary start. Input events are dated on it too.
class SteadyClock {
public:
    virtual ~SteadyClock() = default;
    virtual std::int64_t milliseconds() const = 0;
};

// A periodic count: once started, ticks every interval until stopped.
class TimerDevice {
public:
    virtual ~TimerDevice() = default;
    // Precondition: milliseconds > 0. A running count is replaced.
    virtual void startCount(int milliseconds) = 0;
    virtual void stopCount() = 0;
};

}  // namespace kestrani
