#pragma once
// The documented generator written out again, so that tests can predict the
// draws of the program without using the code under test: state := state ×
// 134775813 + 1 (mod 2^32); an integer draw in 0..k−1 is the high word of
// state × k; a real draw is state / 2^32.

#include <cstdint>

namespace kestrani::fakes {

struct Lcg {
    std::uint32_t state = 0;
    void advance() { state = state * 134775813u + 1u; }
    int draw(int k) {
        advance();
        return static_cast<int>((static_cast<std::uint64_t>(state) * static_cast<std::uint32_t>(k)) >> 32);
    }
    double real() {
        advance();
        return state / 4294967296.0;
    }
    // The state after n more draws of any kind.
    std::uint32_t after(int n) {
        for (int i = 0; i < n; ++i)
            advance();
        return state;
    }
};

}  // namespace kestrani::fakes
