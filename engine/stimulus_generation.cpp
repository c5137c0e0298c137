#include "engine/stimulus_generation.h"

namespace kestrani {

void produceFirstStimulus(EngineContext&) {}
void produceNextStimulus(EngineContext&) {}
void completeGeometry(EngineContext&) {}

}  // namespace kestrani
