#include "results/stimulus_differences.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "results/perceptual_units.h"

namespace kestrani {

namespace {

struct Extents {
    double width, height;
};
Extents extentsOf(const DrawnObject& d) {
    return {static_cast<double>(std::llabs(std::int64_t{d.x2} - d.x1)),
            static_cast<double>(std::llabs(std::int64_t{d.y2} - d.y1))};
}

// The drawn direction of a line as a tilt in degrees, in [0, 180).
double tiltDegrees(const DrawnObject& line) {
    double degrees = std::atan2(double(line.y2) - line.y1, double(line.x2) - line.x1) * 180 / std::numbers::pi;
    degrees = std::fmod(degrees, 180.0);
    return degrees < 0 ? degrees + 180 : degrees;
}

double centreDistance(std::int64_t object1, std::int64_t object2, std::int64_t reference1, std::int64_t reference2) {
    return std::fabs(static_cast<double>((object1 + object2) - (reference1 + reference2))) / 2;
}

}  // namespace

RowDifferences stimulusDifferences(const DrawnObject& o, const DrawnObject& r, ObjectKind kind, const RowSet& changeable,
                                   const ColourDifference& colour) {
    const Extents oe = extentsOf(o), re = extentsOf(r);
    const bool line = kind == ObjectKind::Line;
    RowDifferences d{};
    for (std::size_t i = 0; i < gridRows.size(); ++i) {
        if (!changeable[i])
            continue;
        switch (gridRows[i]) {
        case Submodality::Brightness: d[i] = colour.lightness; break;
        case Submodality::Hue: d[i] = colour.hue; break;
        case Submodality::Saturation: d[i] = colour.chroma; break;
        case Submodality::Height: d[i] = weberPercent(oe.height - re.height, re.height); break;
        case Submodality::Width: d[i] = weberPercent(oe.width - re.width, re.width); break;
        case Submodality::Area:
            if (line)
                d[i] = weberPercent(std::hypot(oe.width, oe.height) - std::hypot(re.width, re.height),
                                    std::hypot(re.width, re.height));
            else
                d[i] = weberPercent(oe.width * oe.height - re.width * re.height, re.width * re.height);
            break;
        case Submodality::VerticalPosition: d[i] = centreDistance(o.y1, o.y2, r.y1, r.y2); break;
        case Submodality::HorizontalPosition: d[i] = centreDistance(o.x1, o.x2, r.x1, r.x2); break;
        case Submodality::Rotation: {
            if (!line)
                break;
            const double between = std::fabs(tiltDegrees(o) - tiltDegrees(r));
            d[i] = std::min(between, 180 - between);
            break;
        }
        case Submodality::Blue:
        case Submodality::Green: break;
        }
    }
    return d;
}

}  // namespace kestrani
