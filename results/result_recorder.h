#pragma once
// Turns the engine's start and end of an exercise into one result, and every
// answer between them into one row of the answer log.

#include <optional>

#include "results/answer_record.h"
#include "results/clock.h"
#include "results/exercise_result.h"

namespace kestrani {

// Told of every answer as soon as it is judged, and of every result as soon
// as its exercise has ended (after its answers).
class ResultListener {
public:
    virtual ~ResultListener() = default;
    virtual void answerRecorded(const AnswerRecord& answer) = 0;
    virtual void resultRecorded(const ExerciseResult& result) = 0;
};

class ResultRecorder : public ExerciseEvents {
public:
    explicit ResultRecorder(const Clock& clock, ResultListener* listener = nullptr)
        : clock_(clock), listener_(listener) {}

    // The first stimulus of an exercise is on screen: takes the settings it
    // runs with and the reference. An exercise still under way is replaced.
    void exerciseStarted(const ExerciseSettings& settings, const ExerciseState& state) override;
    // Ends the exercise under way with the changed object now in the state;
    // does nothing when none is under way, so every way out may call it.
    void exerciseEnded(ExerciseEnd end, const ExerciseState& state) override;
    // One row of the answer log for the exercise under way.
    void answerJudged(const JudgedAnswer& answer, const ExerciseState& state) override;
    bool exerciseUnderWay() const { return open_.has_value(); }

    // Millimetres across one of the screen's pixels, where the screen reports its size.
    void setMillimetresPerPixel(std::optional<double> millimetres) { millimetresPerPixel_ = millimetres; }

private:
    const Clock& clock_;
    ResultListener* listener_;
    std::optional<ExerciseResult> open_;
    int answers_ = 0;
    std::optional<double> millimetresPerPixel_;
};

// What the user should have chosen for the stimulus in the state, and what
// the sender of an answer chose.
Choice answerKey(const ExerciseState& state, ExerciseKind kind);
Choice choiceOf(Sender sender);

}  // namespace kestrani
