#include "engine/reference_generation.h"

namespace kestrani {

void generateReference(EngineContext& engine) {
    engine.state.exerciseStarted = false;
    engine.state.exerciseFinished = false;
    engine.windows.referenceWindow.close();
    engine.windows.referenceWindow.setBackgroundColour(silver);
    engine.windows.referenceWindow.show();
}

}  // namespace kestrani
