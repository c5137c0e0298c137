#include "fakes/simulated_observer.h"

#include <cmath>

namespace kestrani::fakes {

double SimulatedObserver::uniform() {
    // SplitMix64: the same draws on every platform.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

std::vector<SimulatedAnswer> SimulatedObserver::play(int exercises, double firstLowest, double firstHighest) {
    std::vector<SimulatedAnswer> out;
    for (int e = 0; e < exercises; ++e) {
        const double first = firstLowest + (firstHighest - firstLowest) * uniform();
        for (int number = 1; number <= 40; ++number) {
            const double level = std::pow(0.8, number - 1);
            const bool right = answers(first * level);
            out.push_back({e, number, level, first * level, right});
            if (!right)
                break;
        }
    }
    return out;
}

std::vector<Trial> trialsOf(const std::vector<SimulatedAnswer>& answers) {
    std::vector<Trial> trials;
    for (const SimulatedAnswer& a : answers)
        trials.push_back({a.intensity, a.right});
    return trials;
}

}  // namespace kestrani::fakes
