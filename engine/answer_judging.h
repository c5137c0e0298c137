#pragma once
// Judging answers by the stimulus as the fields show it: which object has
// more of the property asked about (exercise 4), and whether the object shown
// differs from the reference in it by more than the screen can show (exercise 3).

#include "config/exercise_settings.h"
#include "engine/drawn_stimulus.h"
#include "engine/exercise_state.h"

namespace kestrani {

// Exercise 4: the sign tells whether the changed object has more (> 0) or
// less (< 0) of the property asked about than the reference; 0 means no
// difference, compared exactly. Colours as painted, extents, centres and
// tilt from the drawn figures. Precondition: the geometry is complete.
int comparisonSign(const ExerciseState& state, Submodality asked);

// Exercise 3: whether the object differs from the reference in the asked
// property by more than the screen can show. A difference within the
// rounding of the painted channels (one level a channel, three levels of
// their sum), within half a pixel of a centre or within the pixel that
// truncating a line's extents moves is no difference.
bool differsVisibly(const DrawnObject& object, const DrawnObject& reference, ObjectKind kind, Submodality asked);

struct Verdict {
    bool wrong = false;
    bool noDifference = false;
};

// Exercise 4: the chosen object is the changed one when clickedFirst differs
// from referenceFirst; the answer is wrong exactly when the claim (more or
// less) is strictly false. Equal values are never wrong.
Verdict judgeComparison(const ExerciseState& state);

}  // namespace kestrani
