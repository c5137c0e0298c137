#pragma once
// The exercise engine as the windows see it: the reference window's step and
// reference generation, the phase timers' ticks, and the backdrop's buttons.

#include "engine/engine_context.h"
#include "engine/exercise_actions.h"
#include "engine/steady_clock.h"

namespace kestrani {

class ExerciseEngine : public ExerciseActions {
public:
    ExerciseEngine(const ExerciseSettings& settings, ExerciseState& state, RandomGenerator& random,
                   ExerciseWindows& windows, MessageBoxes& messages, BlockingWait& wait, TimerDevice& timer1,
                   TimerDevice& timer2);

    // "Упражнения" of the configuration window.
    void startExercise();

    void step(Sender sender) override;
    void answer(Sender sender, std::int64_t madeAt) override;
    void generateReference() override;
    void newExercise() override;
    void leaveExercise() override;

    // The program is ending: no phase limit may run out any more.
    void stopPhaseTimers();
    // The program has ended: an exercise under way leaves its result.
    void programEnded();

    // Every start and end of an exercise is told to events; null tells nobody.
    void setEvents(ExerciseEvents* events) { context_.events = events; }
    // The clock that dates stimuli and answers; the system's steady clock
    // unless a test gives another.
    void setClock(const SteadyClock& clock) { context_.clock = &clock; }

    // Whether input made at madeAt may act: only what was made once the
    // program showed its latest picture (a stimulus, a reference, an end) does;
    // what was made while it was busy or waited out the delay does not.
    bool acceptsInputMadeAt(std::int64_t madeAt) const { return madeAt >= readySince_; }

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
    void run(Sender sender, std::int64_t madeAt);
    std::int64_t now() const { return context_.clock->milliseconds(); }

    SystemSteadyClock systemClock_;
    PhaseTimer timer1_;
    PhaseTimer timer2_;
    EngineContext context_;
    bool busy_ = false;
    std::int64_t readySince_ = 0;
};

}  // namespace kestrani
