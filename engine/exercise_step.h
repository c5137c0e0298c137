#pragma once
// The exercise step (TSubmCheck.Button1Click): judges the answer the sender
// carries, ends the exercise or counts the move, and produces the next stimulus.

#include "engine/engine_context.h"
#include "windows/click_routing.h"

namespace kestrani {

void runExerciseStep(EngineContext& engine, Sender sender);

}  // namespace kestrani
