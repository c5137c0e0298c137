#pragma once
// The documented generator written out again, so that tests can predict the
// draws of the program without using the code under test: state := state ×
// 134775813 + 1 (mod 2^32); an integer draw in 0..k−1 is the high word of
// state × k; a real draw is state / 2^32.

#include <cstdint>
#include <functional>
#include <vector>

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

// The first seed from 0 whose draws with the given ranges satisfy the test.
inline std::uint32_t seedWhere(const std::vector<int>& ranges, const std::function<bool(const std::vector<int>&)>& wanted) {
    for (std::uint32_t seed = 0;; ++seed) {
        Lcg g{seed};
        std::vector<int> draws;
        for (int k : ranges)
            draws.push_back(g.draw(k));
        if (wanted(draws))
            return seed;
    }
}

}  // namespace kestrani::fakes
