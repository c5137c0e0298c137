#include "config/configuration_geometry.h"

#include <cstdint>

namespace kestrani {

bool configurationWindowIsFitted(int currentHeight, ScreenSize screen) { return currentHeight == screen.height; }

WindowRect configurationWindowGeometry(ScreenSize screen) {
    // 96/100 in integers: 0.96 × 600 is exactly 576, which a binary 0.96 would miss.
    const auto height = static_cast<int>(static_cast<std::int64_t>(screen.height) * 96 / 100);
    return {0, 0, screen.width, height};
}

}  // namespace kestrani
