#pragma once
// A simulated user with a known psychometric function playing fade-out
// exercises: the first difference drawn evenly between two values, every
// right answer shrinking it to 0.8, the exercise ending at the first wrong
// answer (or after 40 answers).

#include <cstdint>
#include <vector>

#include "results/psychometric_fit.h"

namespace kestrani::fakes {

struct SimulatedAnswer {
    int exercise = 0;  // from 0
    int number = 1;    // 1 for the first answer of the exercise
    double level = 1;  // 0.8^(number − 1)
    double intensity = 0;
    bool right = false;
};

class SimulatedObserver {
public:
    SimulatedObserver(PsychometricCurve truth, std::uint64_t seed) : truth_(truth), state_(seed) {}

    std::vector<SimulatedAnswer> play(int exercises, double firstLowest, double firstHighest);
    // An answer at this intensity: right with the true probability.
    bool answers(double intensity) { return uniform() < truth_.probabilityRight(intensity); }
    // Evenly in [0, 1).
    double uniform();

private:
    PsychometricCurve truth_;
    std::uint64_t state_;
};

std::vector<Trial> trialsOf(const std::vector<SimulatedAnswer>& answers);

}  // namespace kestrani::fakes
