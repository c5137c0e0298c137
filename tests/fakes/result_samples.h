#pragma once
// Results and answers with every field set, for the store, CSV and window tests.

#include <string>
#include <vector>

#include "results/answer_record.h"
#include "results/exercise_result.h"

namespace kestrani::fakes {

// A different result for every n: optional fields present and absent in turn,
// negative deltas, reached differences with long decimal expansions.
ExerciseResult sampleResult(int n);

// Stores results 0 to 6 in a new results file at path and gives five of them
// values no exercise leaves: times that are no date (-2^63, 2^63 - 1, a
// millisecond after the year 9999), an infinite difference, an exercise
// that does not exist. Returns the two that stay readable, newest first:
// result 6 ending at the last date and result 0 starting at the first.
std::vector<ExerciseResult> storeImpossibleValues(const std::string& path);

// A different answer for every n, every optional field present and absent in turn.
AnswerRecord sampleAnswer(int n);

// The answers of exercises of kind 4 about brightness played by a simulated
// user whose threshold is 3 ΔE00, a day's worth a day over the given days,
// from 2027-01-15 on: enough for thresholds and their progress.
std::vector<AnswerRecord> playedAnswers(int days, int exercisesADay);

}  // namespace kestrani::fakes
