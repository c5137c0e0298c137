#pragma once
// The exercise engine wired to fakes: windows of a 1024 × 768 screen, message
// boxes, the blocking wait and the two timers on a fake clock.

#include "config/exercise_settings.h"
#include "engine/exercise_engine.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_screen.h"

namespace kestrani::fakes {

struct EngineFixture {
    EngineFixture();

    EventLog log;
    ExerciseSettings settings;
    ExerciseState state;
    RandomGenerator random;
    FakeDrawingWindow referenceWindow{"TSubmCheck", log, 501, 652};
    FakeDrawingWindow leftCard{"TForm2", log, 501, 652};
    FakeDrawingWindow rightCard{"TForm1", log, 501, 652};
    FakeDrawingWindow objectField{"TForm4", log, 501, 652};
    FakeBackdrop backdrop{log};
    ExerciseWindows windows{referenceWindow, leftCard, rightCard, objectField, backdrop};
    FakeMessageBoxes messages{log};
    FakeBlockingWait wait{log};
    FakeClock clock;
    FakeTimerDevice timer1{clock};
    FakeTimerDevice timer2{clock};
    ExerciseEngine engine{settings, state, random, windows, messages, wait, timer1, timer2};
    // For calling the engine's operations one by one.
    EngineContext& context = engine.context();
};

}  // namespace kestrani::fakes
