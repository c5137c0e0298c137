#pragma once
// A careful user playing through the engine with fakes: memorises the
// reference from the reference window, reads the question on the backdrop
// and answers from what the fields show (fakes/screen_observer.h), guessing
// with coins of its own where the screen cannot tell.

#include <optional>

#include "fakes/draw_oracle.h"
#include "fakes/engine_fixture.h"
#include "fakes/screen_observer.h"

namespace kestrani::fakes {

struct UserAnswer {
    Sender sender = Sender::Button1;
    bool sure = false;
    // Exercise 3: whether the user saw a difference in the asked property.
    std::optional<bool> sawDifference;
};

class CarefulUser {
public:
    explicit CarefulUser(std::uint32_t seed) : coins_{seed} {}
    // At the end of the reference phase.
    void memorise(EngineFixture& f) { reference_ = seenOn(f.referenceWindow, f.settings.objectKind); }
    // What is on the screen after a step.
    UserAnswer answer(EngineFixture& f);

    const Seen& reference() const { return reference_; }

private:
    UserAnswer guess(Sender a, Sender b) { return {coins_.draw(2) ? a : b, false, std::nullopt}; }

    Seen reference_;
    Lcg coins_;
};

// Plays one exercise with the settings in the fixture, from "Упражнения" to
// its end, to the given number of answers, or until afterStep (called with
// every answer the user is about to give) says to stop.
struct PlayedExercise {
    int answers = 0;
    bool toldWrongWhereSure = false;
    std::vector<std::string> messages;
};
PlayedExercise playExercise(EngineFixture& f, CarefulUser& user, int maxAnswers,
                            const std::function<bool(const UserAnswer&)>& afterStep = {});

}  // namespace kestrani::fakes
