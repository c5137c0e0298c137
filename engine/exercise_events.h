#pragma once
// How an exercise begins and ends, told to whoever keeps its results.

#include "config/exercise_settings.h"
#include "engine/exercise_state.h"

namespace kestrani {

enum class ExerciseEnd {
    WrongAnswer,              // a wrong answer
    TimeOut,                  // the object-show limit ran out
    NoDifference,             // no difference left to judge
    NothingLeftToAsk,         // exercise 3: the object no longer differs in the asked submodality
    NoCalibratedSubmodality,  // the grid was changed during the exercise so that nothing is asked
    Left,                     // "Выйти из упражнения"
    NewExercise,              // "Новое упражнение" or "Упражнения" during the exercise
    ProgramClosed,            // the program ended during the exercise
};
inline constexpr int exerciseEndCount = 8;

class ExerciseEvents {
public:
    virtual ~ExerciseEvents() = default;
    // The first stimulus of an exercise is on screen.
    virtual void exerciseStarted(const ExerciseSettings& settings, const ExerciseState& state) = 0;
    // The exercise has ended with the changed object now in the state; called
    // on every way out, also when no exercise is under way.
    virtual void exerciseEnded(ExerciseEnd end, const ExerciseState& state) = 0;
};

}  // namespace kestrani
