#include "engine/random_generator.h"

namespace kestrani {

std::int32_t RandomGenerator::drawInt(std::int32_t k) {
    advance();
    const std::uint64_t product = static_cast<std::uint64_t>(state_) * static_cast<std::uint32_t>(k);
    return static_cast<std::int32_t>(product >> 32);
}

double RandomGenerator::drawReal() {
    advance();
    return static_cast<double>(state_) / 4294967296.0;
}

}  // namespace kestrani
