#pragma once
// Judging an answer of exercise 4: which object has more of the property asked about.

#include "config/exercise_settings.h"
#include "engine/exercise_state.h"

namespace kestrani {

// The sign of the measure tells whether the changed object has more (> 0) or
// less (< 0) of the property asked about than the reference; 0 means no difference.
int comparisonSign(const ExerciseState& state, Submodality asked, double objectChroma);

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
