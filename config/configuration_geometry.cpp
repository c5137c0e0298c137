#include "config/configuration_geometry.h"

#include <cstdint>

namespace kestrani {

bool configurationWindowIsFitted(int currentHeight, ScreenSize screen) { return currentHeight == screen.height; }

WindowRect configurationWindowGeometry(ScreenSize screen) {
    // 96/100 in whole numbers: the truncated exact product of 0.96 and the height.
    const auto height = static_cast<int>(static_cast<std::int64_t>(screen.height) * 96 / 100);
    return {0, 0, screen.width, height};
}

}  // namespace kestrani
