#pragma once
// A careful user who answers from the screen alone: reads the question from
// the backdrop and the objects from what the fake windows were given to
// draw (the painted colour, the corners of a box, the end points of a line),
// and judges them with measures of its own. It says where it is sure; where
// a difference lies within what the screen can show, it is not.
//
// A difference the screen cannot show is no difference: one level of a
// painted channel (three of a channel sum), half a pixel of a centre, the
// pixel that truncating a line's extents moves.

#include <optional>
#include <string>

#include "config/exercise_settings.h"
#include "fakes/fake_screen.h"

namespace kestrani::fakes {

// What a field shows: a colour and, unless it is a whole window, a figure.
struct Seen {
    Rgb colour;
    bool line = false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The last figure drawn on a window (the splitting lines come before it), or
// the window's colour for a whole window.
Seen seenOn(FakeDrawingWindow& window, ObjectKind kind);

// The question on the backdrop: what it asks about and, in exercise 4,
// whether it asks for more. Hue, Blue and Green questions of exercise 3 read
// alike; all are about hue.
struct Question {
    Submodality about = Submodality::Brightness;
    bool more = false;
};
std::optional<Question> questionOn(const std::string& upperPrompt, int exercise);

// Exercise 3: whether the object differs from the reference in the asked
// property; empty where it cannot be sure.
std::optional<bool> differs(const Seen& object, const Seen& reference, Submodality about);

// Exercise 4: +1 when the first object surely has more of the property than
// the second, −1 when surely less; empty where it cannot be sure.
std::optional<int> surelyMore(const Seen& first, const Seen& second, Submodality about);

// Exercises 1 and 2: the two look alike in every respect, or differ where the
// screen shows it.
bool looksIdentical(const Seen& a, const Seen& b);
bool visiblyDifferent(const Seen& a, const Seen& b);

}  // namespace kestrani::fakes
