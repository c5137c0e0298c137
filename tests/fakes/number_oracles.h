#pragma once
// Independent, plainly written statements of how typed numbers are read, and
// a generator of the texts a user may type, for the fuzz tests.

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "engine/colour_model.h"

namespace kestrani::fakes {

// The integer a typed text stands for, read character by character with the
// value from the C library; no value for anything else.
std::optional<long long> typedNumberOracle(const std::string& text);

// The sample colours of the standard colours 0..99 as red, green, blue.
extern const Rgb standardSampleTable[100];

// Random texts of the kinds a user types into a number field: digits, signs,
// blanks, hexadecimal, letters, Cyrillic, beyond the 32-bit range, very long.
class TypedTextSource {
public:
    explicit TypedTextSource(std::uint32_t seed) : random_(seed) {}
    // A fresh text of up to maxPieces pieces.
    std::string fresh(std::size_t maxPieces = 14);
    // A well-known text with one to three edits (insert, erase, overwrite).
    std::string mutated();
    // A text of several hundred characters, mostly digits.
    std::string veryLong();
    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

private:
    std::mt19937 random_;
};

}  // namespace kestrani::fakes
