#pragma once
// Results with every field set, for the store and CSV tests.

#include "results/exercise_result.h"

namespace kestrani::fakes {

// A different result for every n: optional fields present and absent in turn,
// negative deltas, reached differences with long decimal expansions.
ExerciseResult sampleResult(int n);

}  // namespace kestrani::fakes
