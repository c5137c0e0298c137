#include "engine/painted_colour.h"

#include <array>
#include <cmath>

namespace kestrani {

namespace {

using Vector = std::array<double, 3>;

Vector channels(Rgb c) { return {double(c.red), double(c.green), double(c.blue)}; }

double mean(const Vector& v) { return (v[0] + v[1] + v[2]) / 3; }

// The colour minus the grey of the same sum.
Vector chromatic(const Vector& v) {
    const double m = mean(v);
    return {v[0] - m, v[1] - m, v[2] - m};
}

double length(const Vector& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

std::uint8_t toChannel(double value) {
    const double rounded = std::round(value);
    return static_cast<std::uint8_t>(rounded < 0 ? 0 : rounded > 255 ? 255 : rounded);
}

Rgb grey(double level, const Vector& plus) {
    return {toChannel(level + plus[0]), toChannel(level + plus[1]), toChannel(level + plus[2])};
}

Vector scaled(const Vector& v, double factor) { return {v[0] * factor, v[1] * factor, v[2] * factor}; }

}  // namespace

std::int64_t channelSum(Rgb c) { return std::int64_t{c.red} + c.green + c.blue; }

std::int64_t chromaSquared(Rgb c) {
    const std::int64_t r = c.red, g = c.green, b = c.blue;
    return r * r + g * g + b * b - r * g - r * b - g * b;
}

double chroma(Rgb c) { return std::sqrt(static_cast<double>(chromaSquared(c))); }

double hueAngle(Rgb c) {
    return std::atan2(std::sqrt(3.0) * (double(c.green) - c.blue), 2.0 * c.red - c.green - c.blue);
}

Rgb withReferenceProperty(Submodality property, Rgb colour, Rgb reference) {
    const Vector own = channels(colour), theirs = channels(reference);
    const Vector ownPart = chromatic(own), theirPart = chromatic(theirs);
    const double ownLength = length(ownPart), theirLength = length(theirPart);
    switch (property) {
    case Submodality::Brightness: return grey(mean(theirs), ownPart);
    case Submodality::Saturation:
        if (ownLength == 0)
            return grey(mean(own), theirPart);
        return grey(mean(own), scaled(ownPart, theirLength / ownLength));
    case Submodality::Hue:
    case Submodality::Blue:
    case Submodality::Green:
        if (ownLength == 0 || theirLength == 0)
            return colour;
        return grey(mean(own), scaled(theirPart, ownLength / theirLength));
    default: return colour;
    }
}

}  // namespace kestrani
