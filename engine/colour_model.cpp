#include "engine/colour_model.h"

#include <cmath>

namespace kestrani {

ChannelValues colourModel(double brightness, double hue, double saturation) {
    const double sqrt3 = std::sqrt(3.0);
    const double base = brightness - 0.333 * saturation * std::cos(hue);
    const double spread = saturation * std::sin(hue) / sqrt3;
    return {trunc32(0.6 * (base - spread)),
            trunc32(0.6 * (brightness + 0.666 * saturation * std::cos(hue))),
            trunc32(0.6 * (base + spread))};
}

}  // namespace kestrani
