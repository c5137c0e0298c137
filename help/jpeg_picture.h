#pragma once
// Decoding of a JPEG picture held in memory to 24-bit RGB pixels.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kestrani {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // rows top to bottom, red, green, blue
};

// The decoded picture, or nothing when the data is not a complete, sound
// JPEG picture (damaged, truncated, or larger than 8192 pixels a side).
std::optional<RgbPicture> decodeJpeg(std::span<const std::uint8_t> data);

}  // namespace kestrani
