#pragma once
// One answer of an exercise as the answer log keeps it: the question, the key
// and the answer given, the verdict, the reaction time, and how far the
// stimulus lay from the reference in every changeable property, in units
// people can compare.

#include <array>
#include <cstdint>
#include <optional>

#include "config/exercise_settings.h"
#include "results/exercise_result.h"

namespace kestrani {

// What was clicked, or what the right answer was.
enum class Choice {
    Left,        // the left card (exercises 1 and 4)
    Right,       // the right card (exercises 1 and 4)
    Object,      // the single object (exercises 2 and 3)
    Background,  // the backdrop around it (exercises 2 and 3)
    None,        // no answer: the object-show limit ran out
    Either,      // the key of exercise 4 when the two objects do not differ in the asked property
};

// The painted stimulus against the painted reference, both taken as sRGB, in
// CIEDE2000: the whole difference and its lightness, chroma and hue parts
// (|ΔL'| / S_L, |ΔC'| / S_C, |ΔH'| / S_H).
struct ColourDifference {
    double deltaE00 = 0;
    double lightness = 0;
    double chroma = 0;
    double hue = 0;
    friend bool operator==(const ColourDifference&, const ColourDifference&) = default;
};

struct AnswerRecord {
    // The exercise it belongs to: the moment its first stimulus appeared
    // (milliseconds since 1970-01-01 UTC), as in ExerciseResult::startedAt.
    std::int64_t exerciseStartedAt = 0;
    int number = 0;                   // 1 for the first answer of the exercise
    std::int64_t answeredAt = 0;      // milliseconds since 1970-01-01 UTC
    ExerciseKind exerciseKind = ExerciseKind::PickReference;
    ObjectKind objectKind = ObjectKind::WholeWindow;
    RowSet changeable;                // the exercise's changeable grid rows
    // Exercises 3 and 4: the submodality asked about (Blue and Green are
    // questions about hue); exercise 4: whether "more" was asked.
    std::optional<Submodality> question;
    std::optional<bool> askedMore;
    Choice key = Choice::None;
    Choice given = Choice::None;
    bool right = false;
    // From the stimulus's appearance on the screen to the press; none for a time-out.
    std::optional<int> reactionMilliseconds;
    // The fade-out level: 0.8^(number − 1), the fraction of the first
    // stimulus's differences this one was made from.
    double level = 1;
    // Present when a colour row was changeable.
    std::optional<ColourDifference> colour;
    // By grid row, for the changeable rows, from the object as drawn:
    // Brightness, Hue, Saturation: the lightness, hue and chroma parts of ΔE00;
    // Height, Width: |Δ| / reference in per cent; Area: the same of the box's
    // area, or of a line's length; positions: pixels between the centres;
    // Rotation: degrees between the drawn directions.
    std::array<std::optional<double>, gridRows.size()> difference{};
    // Millimetres across one pixel, where the screen reports its physical size.
    std::optional<double> millimetresPerPixel;

    friend bool operator==(const AnswerRecord&, const AnswerRecord&) = default;
};

}  // namespace kestrani
