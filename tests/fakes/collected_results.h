#pragma once
// A listener that keeps every answer and result it is told of.

#include <vector>

#include "results/result_recorder.h"

namespace kestrani::fakes {

struct CollectedResults : ResultListener {
    void answerRecorded(const AnswerRecord& answer) override { answers.push_back(answer); }
    void resultRecorded(const ExerciseResult& result) override { results.push_back(result); }
    std::vector<AnswerRecord> answers;
    std::vector<ExerciseResult> results;
};

}  // namespace kestrani::fakes
