#pragma once
// Results and answers as CSV: UTF-8, a header row, one row per result or
// answer, numbers with a point, fields quoted where they need it, lines
// ended with CR LF.

#include <ostream>
#include <string>
#include <vector>

#include "results/answer_record.h"
#include "results/exercise_result.h"

namespace kestrani {

void writeCsv(std::ostream& out, const std::vector<ExerciseResult>& results);
void writeAnswersCsv(std::ostream& out, const std::vector<AnswerRecord>& answers);

// Local time as "2026-12-08 09:31:05", or in another strftime format;
// empty where the C library cannot tell.
std::string localTimeText(std::int64_t millisecondsSinceEpoch, const char* format = "%Y-%m-%d %H:%M:%S");
// The value to twelve significant digits, which leaves out the noise of
// binary arithmetic (20.480000000000018 is 20.48), in the shortest text that
// reads back to it, with a point.
std::string numberText(double value);
// How the results say a choice and a question.
std::string_view choiceText(Choice choice);
std::string_view questionText(Submodality question);

}  // namespace kestrani
