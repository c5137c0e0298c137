#pragma once
// The program's single pseudo-random generator. It starts from state 0 and is
// never seeded, so the same user actions always give the same draws.

#include <cstdint>

namespace kestrani {

class RandomGenerator {
public:
    // An integer in 0..k-1 (0 when k is 0): the high 32 bits of state × k.
    // Precondition: k >= 0.
    std::int32_t drawInt(std::int32_t k);
    // A real in [0, 1): state / 2^32.
    double drawReal();

    std::uint32_t state() const { return state_; }
    void setState(std::uint32_t state) { state_ = state; }

private:
    void advance() { state_ = state_ * 134775813u + 1u; }

    std::uint32_t state_ = 0;
};

}  // namespace kestrani
