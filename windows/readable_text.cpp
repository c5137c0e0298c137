#include "windows/readable_text.h"

#include <algorithm>
#include <cmath>

namespace kestrani {

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Rgb c) { return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue); }

}  // namespace

double contrastRatio(Rgb first, Rgb second) {
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

Rgb readableTextColour(Rgb preferred, Rgb background) {
    if (contrastRatio(preferred, background) >= 3.0)
        return preferred;
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

}  // namespace kestrani
