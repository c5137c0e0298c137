#pragma once
// The exercise engine as the windows see it: the reference window's step and
// reference generation, the phase timers' ticks, and the backdrop's buttons.

#include "engine/engine_context.h"
#include "engine/exercise_actions.h"

namespace kestrani {

class ExerciseEngine : public ExerciseActions {
public:
    ExerciseEngine(const ExerciseSettings& settings, ExerciseState& state, RandomGenerator& random,
                   ExerciseWindows& windows, MessageBoxes& messages, BlockingWait& wait, TimerDevice& timer1,
                   TimerDevice& timer2);

    // "Упражнения" of the configuration window.
    void startExercise();

    void step(Sender sender) override;
    void generateReference() override;
    void newExercise() override;
    void leaveExercise() override;

    // The program is ending: no phase limit may run out any more.
    void stopPhaseTimers();
    // The program has ended: an exercise under way leaves its result.
    void programEnded();

    // Every start and end of an exercise is told to events; null tells nobody.
    void setEvents(ExerciseEvents* events) { context_.events = events; }

    void timer1Tick();  // TSubmCheck.Timer1Timer
    void timer2Tick();  // TSubmCheck.Timer2Timer

    // What the engine's operations work with, for calling them one by one.
    EngineContext& context() { return context_; }
    const PhaseTimer& timer1() const { return timer1_; }
    const PhaseTimer& timer2() const { return timer2_; }
    // True while a step or a reference generation runs, also while its
    // message box is open; whatever arrives meanwhile is dropped.
    bool busy() const { return busy_; }

private:
    void endExerciseUnderWay(ExerciseEnd end);

    PhaseTimer timer1_;
    PhaseTimer timer2_;
    EngineContext context_;
    bool busy_ = false;
};

}  // namespace kestrani
