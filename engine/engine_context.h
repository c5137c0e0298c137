#pragma once
// What every operation of the exercise engine works with.

#include "config/exercise_settings.h"
#include "engine/exercise_events.h"
#include "engine/exercise_ports.h"
#include "engine/exercise_state.h"
#include "engine/phase_timer.h"
#include "engine/random_generator.h"

namespace kestrani {

struct EngineContext {
    const ExerciseSettings& settings;  // read live, never written
    ExerciseState& state;
    RandomGenerator& random;
    ExerciseWindows& windows;
    MessageBoxes& messages;
    BlockingWait& wait;
    PhaseTimer& timer1;  // reference-show limit
    PhaseTimer& timer2;  // object-show limit
    const SteadyClock* clock = nullptr;  // dates the stimuli and the answers
    ExerciseEvents* events = nullptr;  // none: nobody is told
};

}  // namespace kestrani
