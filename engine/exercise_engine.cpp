#include "engine/exercise_engine.h"

#include "engine/exercise_step.h"
#include "engine/reference_generation.h"

namespace kestrani {

namespace {
constexpr const char* referencePrompt = "Выберите и запомните эталон. Стандартные цвета не меняются!";
}

ExerciseEngine::ExerciseEngine(const ExerciseSettings& settings, ExerciseState& state, RandomGenerator& random,
                               ExerciseWindows& windows, MessageBoxes& messages, BlockingWait& wait,
                               TimerDevice& timer1, TimerDevice& timer2)
    : timer1_(timer1),
      timer2_(timer2),
      context_{settings, state, random, windows, messages, wait, timer1_, timer2_, &systemClock_} {}

void ExerciseEngine::startExercise() {
    endExerciseUnderWay(ExerciseEnd::NewExercise);
    context_.windows.backdrop.setUpperPrompt(referencePrompt);
    // No question of an earlier exercise stays under a new reference.
    context_.windows.backdrop.setLowerPrompt(" ");
    context_.windows.backdrop.show();
    context_.windows.referenceWindow.show();
    generateReference();
}

void ExerciseEngine::step(Sender sender) { run(sender, now()); }

void ExerciseEngine::answer(Sender sender, std::int64_t madeAt) {
    if (acceptsInputMadeAt(madeAt))
        run(sender, madeAt);
}

void ExerciseEngine::run(Sender sender, std::int64_t madeAt) {
    // A step whose end message is still open finishes first; anything that
    // arrives meanwhile (a late tick, a click) is dropped.
    if (busy_)
        return;
    busy_ = true;
    runExerciseStep(context_, sender, {madeAt, readySince_});
    readySince_ = now();
    busy_ = false;
}

void ExerciseEngine::generateReference() {
    if (busy_)
        return;
    busy_ = true;
    // A new reference starts a new exercise: no time-out of the old one may follow.
    timer2_.setEnabled(false);
    kestrani::generateReference(context_);
    readySince_ = now();
    busy_ = false;
}

void ExerciseEngine::newExercise() {
    endExerciseUnderWay(ExerciseEnd::NewExercise);
    context_.state.successCount = 0;
    startExercise();
}

void ExerciseEngine::stopPhaseTimers() {
    timer1_.setEnabled(false);
    timer2_.setEnabled(false);
}

void ExerciseEngine::programEnded() {
    stopPhaseTimers();
    endExerciseUnderWay(ExerciseEnd::ProgramClosed);
}

void ExerciseEngine::endExerciseUnderWay(ExerciseEnd end) {
    if (context_.events)
        context_.events->exerciseEnded(end, context_.state);
}

void ExerciseEngine::leaveExercise() {
    endExerciseUnderWay(ExerciseEnd::Left);
    stopPhaseTimers();
    ExerciseWindows& w = context_.windows;
    w.referenceWindow.close();
    w.leftCard.close();
    w.rightCard.close();
    w.objectField.close();
    w.backdrop.close();
}

void ExerciseEngine::timer1Tick() {
    if (!context_.settings.referenceShowLimit.enabled)
        return;
    timer1_.setEnabled(false);
    step(Sender::Timer1);
}

void ExerciseEngine::timer2Tick() {
    if (context_.settings.objectShowLimit.enabled)
        step(Sender::Timer2);
    timer2_.setEnabled(false);
}

}  // namespace kestrani
