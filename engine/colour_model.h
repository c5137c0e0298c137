#pragma once
// Colours and the brightness/hue/saturation model of the exercise engine.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kestrani {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb silver{192, 192, 192};
inline constexpr Rgb darkGrey{128, 128, 128};

// Red in the low byte, green in the middle byte, blue in the high byte.
inline std::uint32_t packColour(Rgb c) {
    return c.red | (static_cast<std::uint32_t>(c.green) << 8) | (static_cast<std::uint32_t>(c.blue) << 16);
}

// Signed channel values as the model gives them; not limited to 0..255.
struct ChannelValues {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    friend bool operator==(const ChannelValues&, const ChannelValues&) = default;
};

// Brightness L, hue angle H in radians and saturation S to channel values,
// with the decimals 0.333, 0.666 and 0.6, truncating once after the scaling.
ChannelValues colourModel(double brightness, double hue, double saturation);

// The absolute value of a channel value, computed without overflow.
inline std::int32_t channelMagnitude(std::int32_t value) {
    const std::int64_t magnitude = value < 0 ? -std::int64_t{value} : std::int64_t{value};
    return magnitude > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(magnitude);
}

// The low 8 bits of a channel value, as the reference keeps its channels
// (for every reference the program draws, the value itself).
inline std::uint8_t lowByte(std::int32_t value) { return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu); }

// Truncation toward zero. A real beyond the 32-bit range gives the nearest
// end of that range and NaN gives 0, so no conversion is undefined; with the
// program's ranges neither can occur.
inline std::int32_t trunc32(double value) {
    if (std::isnan(value))
        return 0;
    if (value <= -2147483649.0)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

}  // namespace kestrani
