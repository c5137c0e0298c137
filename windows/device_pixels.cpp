#include "windows/device_pixels.h"

#include <algorithm>
#include <charconv>

namespace kestrani {

std::string screenFactorsForDevicePixels(const std::vector<int>& outputScales) {
    if (std::all_of(outputScales.begin(), outputScales.end(), [](int scale) { return scale == 1; }))
        return {};
    std::string factors;
    for (const int scale : outputScales) {
        if (!factors.empty())
            factors += ';';
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, 1.0 / scale).ptr;
        factors.append(digits, end);
    }
    return factors;
}

WindowRect wholeOutputPixelsAround(WindowRect rect, int outputPixel) {
    const auto down = [outputPixel](int v) { return v - ((v % outputPixel) + outputPixel) % outputPixel; };
    const auto up = [&](int v) { return down(v + outputPixel - 1); };
    const int left = down(rect.left), top = down(rect.top);
    return {left, top, up(rect.left + rect.width) - left, up(rect.top + rect.height) - top};
}

}  // namespace kestrani
