#pragma once
// The exercise step (TSubmCheck.Button1Click): judges the answer the sender
// carries, ends the exercise or counts the move, and produces the next stimulus.

#include "engine/engine_context.h"
#include "engine/exercise_actions.h"

namespace kestrani {

// When the answer the sender carries was made, and when the stimulus it
// answers had come on screen, both on the engine's steady clock.
struct StepTiming {
    std::int64_t madeAt = 0;
    std::int64_t stimulusShownAt = 0;
};

void runExerciseStep(EngineContext& engine, Sender sender, StepTiming timing = {});

}  // namespace kestrani
