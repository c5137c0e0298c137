#include "engine/exercise_step.h"

namespace kestrani {

void runExerciseStep(EngineContext& engine, Sender) { engine.windows.referenceWindow.close(); }

}  // namespace kestrani
