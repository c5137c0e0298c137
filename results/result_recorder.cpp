#include "results/result_recorder.h"

#include <cmath>

#include "engine/answer_judging.h"
#include "engine/drawn_stimulus.h"
#include "results/perceptual_units.h"
#include "results/stimulus_differences.h"

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
    answers_ = 0;
}

Choice answerKey(const ExerciseState& s, ExerciseKind kind) {
    switch (kind) {
    case ExerciseKind::PickReference: return s.referenceFirst ? Choice::Left : Choice::Right;
    case ExerciseKind::IsReference:
    case ExerciseKind::DiffersInAsked: return s.referenceFirst ? Choice::Object : Choice::Background;
    case ExerciseKind::CompareTwo: break;
    }
    const int changedHasMore = comparisonSign(s, s.questionKind);
    if (changedHasMore == 0)
        return Choice::Either;
    const Choice changed = s.referenceFirst ? Choice::Right : Choice::Left;
    const Choice reference = s.referenceFirst ? Choice::Left : Choice::Right;
    return (changedHasMore > 0) == s.askedMore ? changed : reference;
}

Choice choiceOf(Sender sender) {
    switch (sender) {
    case Sender::TForm2: return Choice::Left;
    case Sender::TForm1: return Choice::Right;
    case Sender::TForm4: return Choice::Object;
    case Sender::TForm3: return Choice::Background;
    case Sender::Button1:
    case Sender::Timer1:
    case Sender::Timer2: break;
    }
    return Choice::None;
}

void ResultRecorder::answerJudged(const JudgedAnswer& answer, const ExerciseState& state) {
    if (!open_ || !listener_)
        return;
    const ExerciseResult& exercise = *open_;
    AnswerRecord a;
    a.exerciseStartedAt = exercise.startedAt;
    a.number = ++answers_;
    a.answeredAt = clock_.millisecondsSinceEpoch();
    a.exerciseKind = exercise.exerciseKind;
    a.objectKind = exercise.objectKind;
    a.changeable = exercise.changeable;
    if (exercise.exerciseKind == ExerciseKind::DiffersInAsked || exercise.exerciseKind == ExerciseKind::CompareTwo)
        a.question = state.questionKind;
    if (exercise.exerciseKind == ExerciseKind::CompareTwo)
        a.askedMore = state.askedMore;
    a.key = answerKey(state, exercise.exerciseKind);
    a.given = answer.sender == Sender::Timer2 ? Choice::None : choiceOf(answer.sender);
    a.right = !answer.wrong;
    a.reactionMilliseconds = answer.reactionMilliseconds;
    a.level = std::pow(0.8, a.number - 1);
    const DrawnObject object = drawnObject(state), reference = drawnReference(state);
    const ColourDifference colour = colourDifference(object.colour, reference.colour);
    if (anyColourRow(exercise.changeable))
        a.colour = colour;
    a.difference = stimulusDifferences(object, reference, exercise.objectKind, exercise.changeable, colour);
    a.millimetresPerPixel = millimetresPerPixel_;
    listener_->answerRecorded(a);
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
    // Exercise 3 tested the user at the fade-out's level also where the last
    // object showed the reference's value of the asked property.
    const DrawnObject faded = fadedObject(state), reference = drawnReference(state);
    const ColourDifference colour = colourDifference(faded.colour, reference.colour);
    r.reached = stimulusDifferences(faded, reference, r.objectKind, r.changeable, colour);
    if (anyColourRow(r.changeable))
        r.deltaE00 = colour.deltaE00;
    if (listener_)
        listener_->resultRecorded(r);
}

}  // namespace kestrani
