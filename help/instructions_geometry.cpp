#include "help/instructions_geometry.h"

#include <cstdint>

namespace kestrani {

WindowRect instructionsWindowGeometry(ScreenSize screen) {
    const int height = static_cast<int>(static_cast<std::int64_t>(screen.height) * 96 / 100);
    return {0, 0, screen.width - 1, height};
}

bool instructionsWindowIsFitted(int outerWidth, ScreenSize screen) { return outerWidth == screen.width - 1; }

}  // namespace kestrani
