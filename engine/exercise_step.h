#pragma once
// The exercise step (TSubmCheck.Button1Click): judges the answer the sender
// carries, ends the exercise or counts the move, and produces the next stimulus.

#include "engine/engine_context.h"
#include "engine/exercise_actions.h"

namespace kestrani {

void runExerciseStep(EngineContext& engine, Sender sender);

}  // namespace kestrani
