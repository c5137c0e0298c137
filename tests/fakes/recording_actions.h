#pragma once
// Records what the exercise windows' clicks and buttons asked for.

#include <vector>

#include "windows/click_routing.h"

namespace kestrani::fakes {

class RecordingActions : public ExerciseActions {
public:
    void step(Sender sender) override { steps.push_back(sender); }
    void answer(Sender sender, std::int64_t madeAt) override {
        steps.push_back(sender);
        answeredAt.push_back(madeAt);
    }
    void generateReference() override { ++references; }
    void newExercise() override { ++newExercises; }
    void leaveExercise() override { ++leaves; }

    std::vector<Sender> steps;
    std::vector<std::int64_t> answeredAt;
    int references = 0;
    int newExercises = 0;
    int leaves = 0;
};

}  // namespace kestrani::fakes
