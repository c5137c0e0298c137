#pragma once
// Judging answers: which object has more of the property asked about
// (exercise 4), and whether the drawn object differs in it (exercise 3).

#include <cstdint>

#include "config/exercise_settings.h"
#include "engine/exercise_state.h"

namespace kestrani {

// An object as the measures see it: its channels, its saturation and its box
// (corner and extents; a line drawn leftwards has a negative width).
struct Appearance {
    std::int64_t red = 0, green = 0, blue = 0;
    double saturation = 0;
    std::int64_t x = 0, y = 0, width = 0, height = 0;
};

// The sign tells whether the object has more (> 0) or less (< 0) of the
// property asked about than the reference; 0 means no difference.
int measureSign(Submodality asked, const Appearance& object, const Appearance& reference);

// Exercise 4: the measure of the changed object against the reference, from
// the full channel values and the object fields.
int comparisonSign(const ExerciseState& state, Submodality asked, double objectChroma);

// Exercise 3: whether the object differs from the reference in the asked
// measure as both are drawn: the channels as painted, the box between the
// drawn corners (none for a whole window). Precondition: the geometry is complete.
bool drawnObjectDiffers(const ExerciseState& state, ObjectKind kind, Submodality asked);

struct Verdict {
    bool wrong = false;
    bool noDifference = false;
};

// Exercise 4: the chosen object is the changed one when clickedFirst differs
// from referenceFirst; the answer is wrong exactly when the claim (more or
// less) is strictly false. Equal values are never wrong.
Verdict judgeComparison(const ExerciseState& state, double objectChroma);

// The chroma of the changed object's channels (base plus delta).
double objectChroma(const ExerciseState& state);

}  // namespace kestrani
