#pragma once
// The reference and the changed object as the fields show them: the colours
// as painted and the two points each figure is drawn between. Whatever judges
// an answer or records a difference reads the stimulus through these.

#include <cstdint>

#include "config/exercise_settings.h"
#include "engine/colour_model.h"
#include "engine/exercise_state.h"

namespace kestrani {

struct DrawnObject {
    Rgb colour;
    // A rectangle's or an ellipse's opposite corners (right and bottom edges
    // exclusive), or a line's start and end point. A whole window has none.
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const DrawnObject&, const DrawnObject&) = default;
};

// A channel as painted: base plus delta held to 0..255.
inline std::uint8_t paintedChannel(std::int32_t base, std::int32_t delta) {
    const std::int64_t value = std::int64_t{base} + delta;
    return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

Rgb paintedReferenceColour(const ExerciseState& state);
Rgb paintedObjectColour(const ExerciseState& state);

DrawnObject drawnReference(const ExerciseState& state);
DrawnObject drawnObject(const ExerciseState& state);
// Exercise 3: the changed object as the fade-out left it, before the asked
// difference was cancelled for this step (the object itself when it was not).
DrawnObject fadedObject(const ExerciseState& state);

}  // namespace kestrani
