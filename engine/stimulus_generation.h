#pragma once
// The changed object: its first version, every next one with differences
// shrunk to 0.8, and the geometry that completes either.
// W and H are the size of the right card TForm1.

#include "engine/engine_context.h"

namespace kestrani {

// In exercise 3 both also set the answer key (referenceFirst) from the object
// as it will be drawn, and askedDifferenceLeft: whether the object, before any
// cancellation, differs from the reference in the asked submodality.

// After the base colour has been copied from the reference.
void produceFirstStimulus(EngineContext& engine);
// In every answered step, after the question of the next stimulus is chosen.
void produceNextStimulus(EngineContext& engine);
// Right after either of the two, in every step.
void completeGeometry(EngineContext& engine);

}  // namespace kestrani
