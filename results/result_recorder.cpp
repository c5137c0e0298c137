#include "results/result_recorder.h"

namespace kestrani {

namespace {

std::optional<int> limitSeconds(const PhaseLimit& limit) {
    return limit.enabled ? std::optional<int>(limit.seconds) : std::nullopt;
}

}  // namespace

void ResultRecorder::exerciseStarted(const ExerciseSettings& settings, const ExerciseState& state) {
    ExerciseResult r;
    r.startedAt = clock_.millisecondsSinceEpoch();
    r.exerciseKind = settings.exerciseKind;
    r.objectKind = settings.objectKind;
    for (std::size_t i = 0; i < gridRows.size(); ++i) {
        r.changeable[i] = settings.changeable[gridRows[i]].isOn();
        r.asked[i] = settings.isAsked(gridRows[i]);
    }
    r.nonMonotonic = settings.nonMonotonic;
    r.splitting = settings.splitting;
    r.variableBackground = settings.variableBackground;
    r.referenceShowSeconds = limitSeconds(settings.referenceShowLimit);
    r.delaySeconds = limitSeconds(settings.delay);
    r.objectShowSeconds = limitSeconds(settings.objectShowLimit);
    if (settings.standardColor.enabled)
        r.standardColour = settings.standardColor.number;
    r.referenceColour = {state.referenceRed, state.referenceGreen, state.referenceBlue};
    open_ = r;
}

void ResultRecorder::exerciseEnded(ExerciseEnd end, const ExerciseState& state) {
    if (!open_)
        return;
    ExerciseResult r = *open_;
    open_.reset();
    r.endedAt = clock_.millisecondsSinceEpoch();
    r.rightAnswers = state.successCount;
    r.end = end;
    r.deltaRed = state.deltaRed;
    r.deltaGreen = state.deltaGreen;
    r.deltaBlue = state.deltaBlue;
    for (std::size_t i = 0; i < gridRows.size(); ++i)
        if (r.changeable[i])
            r.reached[i] = reachedDifference(state, r.objectKind, gridRows[i]);
    if (listener_)
        listener_->resultRecorded(r);
}

}  // namespace kestrani
