#include "engine/exercise_step.h"

#include <string>

#include "engine/answer_judging.h"
#include "engine/question_tables.h"
#include "engine/reference_generation.h"
#include "engine/rendering.h"
#include "engine/stimulus_generation.h"

namespace kestrani {

namespace {

constexpr const char* wrongMessage = "Вы ошиблись, увы! Число удачных ходов - ";
constexpr const char* noDifferenceMessage =
    "Ура!!! Разницы между объектами по этой субмодальности нет! Упражнение успешно выполнено! Число удачных ходов - ";
constexpr const char* wholeWindowMessage =
    "Ура!!! Разницы между объектом и эталоном нет! Упражнение успешно выполнено! Число удачных ходов - ";
constexpr const char* blank = " ";

// Brightness has twice the weight of every other question: draws of 0 and 1
// both ask about it. Precondition: some asked flag is true.
Submodality chooseQuestion(EngineContext& engine) {
    for (;;) {
        int n = engine.random.drawInt(12);
        if (n == 0)
            n = 1;
        const auto candidate = static_cast<Submodality>(n - 1);
        if (engine.settings.isAsked(candidate))
            return candidate;
    }
}

class ExerciseStep {
public:
    ExerciseStep(EngineContext& engine, Sender sender, StepTiming timing)
        : e_(engine), s_(engine.state), w_(engine.windows), sender_(sender), timing_(timing) {}

    void run();

private:
    int exercise() const { return e_.settings.exerciseNumber(); }
    void classifySender();
    void rearmObjectShowTimer();
    void judgeSingleObjectOrComparison();
    void tellAnswer();
    void endWith(ExerciseEnd end, const std::string& message);
    std::string withCount(const char* message) const { return message + std::to_string(s_.successCount); }
    void closeFields();
    void endNothingLeftToAsk();
    void writePromptAndQuestion();
    void showFields();

    EngineContext& e_;
    ExerciseState& s_;
    ExerciseWindows& w_;
    Sender sender_;
    StepTiming timing_;
};

void ExerciseStep::run() {
    // The objects phase starts: a reference-show count still running must
    // not restart the exercise later.
    e_.timer1.setEnabled(false);
    w_.referenceWindow.close();

    s_.exerciseStarted = true;
    s_.continueExercise = true;
    s_.shapeIsRectangle = true;
    s_.answerGiven = false;
    s_.exerciseFinished = false;
    s_.noDifference = false;
    s_.clickedObject = false;
    s_.singleObject = exercise() == 2 || exercise() == 3;
    w_.backdrop.setUpperPrompt(blank);
    w_.backdrop.setLowerPrompt(blank);

    classifySender();
    rearmObjectShowTimer();
    if (s_.answerGiven)
        judgeSingleObjectOrComparison();
    tellAnswer();

    if (s_.exerciseFinished) {
        endWith(sender_ == Sender::Timer2 ? ExerciseEnd::TimeOut : ExerciseEnd::WrongAnswer, withCount(wrongMessage));
        w_.rightCard.close();
        w_.leftCard.close();
        w_.referenceWindow.close();
        w_.backdrop.setUpperPrompt(blank);
    }
    if (s_.noDifference) {
        endWith(ExerciseEnd::NoDifference, withCount(noDifferenceMessage));
        closeFields();
    }
    if (exercise() == 1 && s_.answerGiven && s_.clickedFirst != s_.referenceFirst) {
        endWith(ExerciseEnd::WrongAnswer, withCount(wrongMessage));
        closeFields();
    }
    if (e_.settings.objectKind == ObjectKind::WholeWindow && s_.continueExercise && s_.answerGiven &&
        s_.deltaRed == 0 && s_.deltaGreen == 0 && s_.deltaBlue == 0 && exercise() != 3) {
        endWith(ExerciseEnd::NoDifference, withCount(wholeWindowMessage));
        closeFields();
    }
    if (!s_.exerciseFinished)
        writePromptAndQuestion();

    if (!s_.answerGiven) {
        s_.successCount = 0;
        s_.baseRed = s_.referenceRed;
        s_.baseGreen = s_.referenceGreen;
        s_.baseBlue = s_.referenceBlue;
        showFields();
        produceFirstStimulus(e_);
        if (s_.continueExercise && e_.events)
            e_.events->exerciseStarted(e_.settings, s_);
    } else {
        produceNextStimulus(e_);
        ++s_.successCount;
    }
    completeGeometry(e_);
    if (exercise() == 3 && s_.continueExercise && !s_.askedDifferenceLeft)
        endNothingLeftToAsk();

    if (sender_ == Sender::TForm3)
        w_.objectField.show();
    if (e_.settings.splitting)
        drawSplittingLines(e_);
    w_.leftCard.close();
    w_.rightCard.close();
    w_.objectField.close();
    if (s_.continueExercise && e_.settings.delay.enabled) {
        s_.delayMilliseconds = e_.settings.delay.seconds * 1000;
        e_.wait.waitBlocking(s_.delayMilliseconds);
    }
    if (s_.continueExercise) {
        setFieldBackground(e_);
        showFields();
    }
    placeAndDrawStimulus(e_);
}

void ExerciseStep::classifySender() {
    switch (sender_) {
    case Sender::TForm2:
        s_.clickedFirst = true;
        s_.answerGiven = true;
        break;
    case Sender::TForm1:
        s_.clickedFirst = false;
        s_.answerGiven = true;
        break;
    case Sender::TForm4:
        if (s_.singleObject) {
            s_.clickedObject = true;
            s_.answerGiven = true;
        }
        break;
    case Sender::TForm3:
        if (s_.singleObject)
            s_.answerGiven = true;
        break;
    case Sender::Button1:
    case Sender::Timer1:
    case Sender::Timer2:
        break;
    }
}

// The object-show limit counts from the start of every step; running out of
// it is a wrong answer.
void ExerciseStep::rearmObjectShowTimer() {
    const PhaseLimit& limit = e_.settings.objectShowLimit;
    e_.timer2.setEnabled(false);
    if (sender_ == Sender::Timer2 && limit.enabled) {
        s_.exerciseFinished = true;
        s_.continueExercise = false;
    }
    if (limit.enabled) {
        e_.timer2.setInterval(limit.seconds * 1000);
        e_.timer2.setEnabled(true);
    }
}

void ExerciseStep::judgeSingleObjectOrComparison() {
    if (exercise() == 4) {
        const Verdict verdict = judgeComparison(s_);
        if (verdict.wrong)
            s_.exerciseFinished = true;
        if (verdict.noDifference)
            s_.noDifference = true;
    } else if (s_.singleObject && s_.clickedObject != s_.referenceFirst) {
        s_.exerciseFinished = true;
    }
}

// An answer, or a time-out of the objects phase, is told before anything
// ends the exercise or replaces the stimulus.
void ExerciseStep::tellAnswer() {
    const bool timedOut = sender_ == Sender::Timer2 && e_.settings.objectShowLimit.enabled && s_.exerciseStarted;
    if (!e_.events || !(s_.answerGiven || timedOut))
        return;
    JudgedAnswer answer;
    answer.sender = s_.answerGiven ? sender_ : Sender::Timer2;
    answer.noDifference = s_.noDifference;
    answer.wrong = !s_.answerGiven || s_.exerciseFinished || (exercise() == 1 && s_.clickedFirst != s_.referenceFirst);
    if (s_.answerGiven)
        answer.reactionMilliseconds = timing_.madeAt - timing_.stimulusShownAt;
    e_.events->answerJudged(answer, s_);
}

// Every end: the exercise stops going on and leaves its result, and the
// object-show count stops before the message opens, so it cannot time out the
// ended exercise.
void ExerciseStep::endWith(ExerciseEnd end, const std::string& message) {
    s_.continueExercise = false;
    if (e_.events)
        e_.events->exerciseEnded(end, s_);
    e_.timer2.setEnabled(false);
    e_.messages.showInformation(message);
}

void ExerciseStep::closeFields() {
    w_.rightCard.close();
    w_.leftCard.close();
    w_.objectField.close();
    w_.backdrop.setUpperPrompt(blank);
    w_.referenceWindow.close();
    s_.exerciseFinished = true;
}

// Exercise 3: the new stimulus, before any cancellation, shows no difference
// in the asked submodality. The answer just given counts; the question goes.
void ExerciseStep::endNothingLeftToAsk() {
    endWith(ExerciseEnd::NothingLeftToAsk, withCount(noDifferenceMessage));
    closeFields();
    w_.backdrop.setLowerPrompt(blank);
}

void ExerciseStep::writePromptAndQuestion() {
    switch (exercise()) {
    case 1: w_.backdrop.setUpperPrompt("Какой из объектов - эталон?"); return;
    case 2: w_.backdrop.setUpperPrompt("Если это- эталон, нажмите на него. Иначе - на фон"); return;
    default: break;
    }
    // The grid may have been changed during the exercise so that nothing is
    // left to ask about: end the exercise instead of searching forever.
    if (!e_.settings.anyAsked()) {
        endWith(ExerciseEnd::NoCalibratedSubmodality, noCalibratedSubmodalityMessage);
        closeFields();
        return;
    }
    s_.questionKind = chooseQuestion(e_);
    const int n = e_.random.drawInt(1000);
    if (exercise() == 4) {
        s_.askedMore = n > 500;
        const QuestionTable& table = s_.askedMore ? moreQuestions : lessQuestions;
        w_.backdrop.setUpperPrompt("Какой объект " + std::string(question(table, s_.questionKind)));
    } else {
        w_.backdrop.setUpperPrompt("Отличается ли объект от эталона по" + std::string(question(byWhatQuestions, s_.questionKind)));
        w_.backdrop.setLowerPrompt("Если отличается, то нажмите на внешний фон, если нет - на объект");
    }
}

void ExerciseStep::showFields() {
    if (s_.singleObject) {
        w_.objectField.show();
    } else {
        w_.leftCard.show();
        w_.rightCard.show();
    }
}

}  // namespace

void runExerciseStep(EngineContext& engine, Sender sender, StepTiming timing) {
    ExerciseStep(engine, sender, timing).run();
}

}  // namespace kestrani
