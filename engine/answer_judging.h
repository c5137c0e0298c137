#pragma once
// Judging answers: which object has more of the property asked about
// (exercise 4), and whether the drawn object differs in it (exercise 3).

#include "config/exercise_settings.h"
#include "engine/exercise_state.h"

namespace kestrani {

// Exercise 4: the sign tells whether the changed object has more (> 0) or
// less (< 0) of the property asked about than the reference; 0 means no
// difference. From the full channel values and the object fields.
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
