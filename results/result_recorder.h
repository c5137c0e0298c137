#pragma once
// Turns the engine's start and end of an exercise into one result.

#include <optional>

#include "results/clock.h"
#include "results/exercise_result.h"

namespace kestrani {

// Told of every result as soon as its exercise has ended.
class ResultListener {
public:
    virtual ~ResultListener() = default;
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
    bool exerciseUnderWay() const { return open_.has_value(); }

private:
    const Clock& clock_;
    ResultListener* listener_;
    std::optional<ExerciseResult> open_;
};

}  // namespace kestrani
