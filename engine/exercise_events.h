#pragma once
// How an exercise begins and ends, told to whoever keeps its results.

#include <cstdint>
#include <optional>

#include "config/exercise_settings.h"
#include "engine/exercise_actions.h"
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

// An answer as the step judged it.
struct JudgedAnswer {
    Sender sender = Sender::Timer2;  // the window clicked, or Timer2 when the object-show limit ran out
    bool wrong = false;
    bool noDifference = false;  // exercise 4: the objects do not differ in the property asked about
    // From the moment the stimulus was on the screen to the press; none for a time-out.
    std::optional<std::int64_t> reactionMilliseconds;
};

class ExerciseEvents {
public:
    virtual ~ExerciseEvents() = default;
    // The first stimulus of an exercise is on screen.
    virtual void exerciseStarted(const ExerciseSettings& settings, const ExerciseState& state) = 0;
    // The stimulus now in the state has been answered, or has timed out,
    // and the answer judged; before any end message and the next stimulus.
    virtual void answerJudged(const JudgedAnswer& answer, const ExerciseState& state) = 0;
    // The exercise has ended with the changed object now in the state; called
    // on every way out, also when no exercise is under way.
    virtual void exerciseEnded(ExerciseEnd end, const ExerciseState& state) = 0;
};

}  // namespace kestrani
