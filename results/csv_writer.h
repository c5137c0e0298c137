#pragma once
// Results as CSV: UTF-8, a header row, one row per result, numbers with a
// point, fields quoted where they need it, lines ended with CR LF.

#include <ostream>
#include <string>
#include <vector>

#include "results/exercise_result.h"

namespace kestrani {

void writeCsv(std::ostream& out, const std::vector<ExerciseResult>& results);

// Local time as "2026-12-08 09:31:05".
std::string localTimeText(std::int64_t millisecondsSinceEpoch);
// The shortest text that reads back to the same double, with a point.
std::string numberText(double value);

}  // namespace kestrani
