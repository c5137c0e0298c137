#include "fakes/careful_user.h"

namespace kestrani::fakes {

namespace {
const std::string wrongMessage = "Вы ошиблись, увы! Число удачных ходов - ";
}

UserAnswer CarefulUser::answer(EngineFixture& f) {
    const ObjectKind kind = f.settings.objectKind;
    switch (f.settings.exerciseNumber()) {
    case 1: {
        const Seen left = seenOn(f.leftCard, kind), right = seenOn(f.rightCard, kind);
        if (looksIdentical(left, reference_) && visiblyDifferent(right, reference_))
            return {Sender::TForm2, true, std::nullopt};
        if (looksIdentical(right, reference_) && visiblyDifferent(left, reference_))
            return {Sender::TForm1, true, std::nullopt};
        return guess(Sender::TForm2, Sender::TForm1);
    }
    case 2:
        if (visiblyDifferent(seenOn(f.objectField, kind), reference_))
            return {Sender::TForm3, true, std::nullopt};
        // Alike: most likely the reference, but a changed object may look alike too.
        return {Sender::TForm4, false, std::nullopt};
    case 3: {
        const std::optional<Question> q = questionOn(f.backdrop.upperPrompt, 3);
        const std::optional<bool> differ =
            q ? differs(seenOn(f.objectField, kind), reference_, q->about) : std::nullopt;
        if (!differ)
            return guess(Sender::TForm4, Sender::TForm3);
        return {*differ ? Sender::TForm3 : Sender::TForm4, true, *differ};
    }
    default: {
        const std::optional<Question> q = questionOn(f.backdrop.upperPrompt, 4);
        const std::optional<int> leftHasMore =
            q ? surelyMore(seenOn(f.leftCard, kind), seenOn(f.rightCard, kind), q->about) : std::nullopt;
        if (!leftHasMore)
            return guess(Sender::TForm2, Sender::TForm1);
        return {(*leftHasMore > 0) == q->more ? Sender::TForm2 : Sender::TForm1, true, std::nullopt};
    }
    }
}

PlayedExercise playExercise(EngineFixture& f, CarefulUser& user, int maxAnswers,
                            const std::function<bool(const UserAnswer&)>& afterStep) {
    PlayedExercise played;
    f.messages.shown.clear();
    f.referenceWindow.fakeSurface().calls.clear();
    f.engine.newExercise();
    user.memorise(f);
    UserAnswer answer;
    for (;;) {
        for (FakeDrawingWindow* w : {&f.leftCard, &f.rightCard, &f.objectField})
            w->fakeSurface().calls.clear();
        f.engine.step(answer.sender);
        if (!f.messages.shown.empty()) {
            played.messages = f.messages.shown;
            played.toldWrongWhereSure = answer.sure && f.messages.shown.back().rfind(wrongMessage, 0) == 0;
            return played;
        }
        if (played.answers == maxAnswers)
            return played;
        answer = user.answer(f);
        if (afterStep && !afterStep(answer))
            return played;
        ++played.answers;
    }
}

}  // namespace kestrani::fakes
