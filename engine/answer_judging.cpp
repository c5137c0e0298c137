#include "engine/answer_judging.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

#include "engine/painted_colour.h"

namespace kestrani {

namespace {

constexpr double pi = std::numbers::pi;

// What one level more or less in each painted channel can change.
constexpr std::int64_t channelSumTolerance = 3;
constexpr double chromaTolerance = 2.0;

template <typename T>
int signOf(T value) {
    return (value > T(0)) - (value < T(0));
}

// Hue differs when both colours have a hue one channel level cannot wipe out,
// and their hue angles lie further apart than one level a channel can turn
// the less colourful of them.
bool hueDiffersVisibly(Rgb object, Rgb reference) {
    const double least = std::min(chroma(object), chroma(reference));
    if (least <= chromaTolerance)
        return false;
    const double between = std::fabs(std::remainder(hueAngle(object) - hueAngle(reference), 2 * pi));
    return between > std::asin(chromaTolerance / least);
}

struct Extents {
    std::int64_t width, height;
};
Extents extentsOf(const DrawnObject& d) {
    return {std::llabs(std::int64_t{d.x2} - d.x1), std::llabs(std::int64_t{d.y2} - d.y1)};
}

// A line is drawn between whole pixels whose extents were truncated: its true
// tilt lies in an interval of angles, its true length in an interval of lengths.
struct Interval {
    double low, high;
};

Interval lengthInterval(const DrawnObject& line) {
    const Extents e = extentsOf(line);
    return {std::hypot(double(e.width), double(e.height)), std::hypot(e.width + 1.0, e.height + 1.0)};
}

// The tilt against the horizontal, an angle of a line without direction,
// within a turn of [0, π).
Interval tiltInterval(const DrawnObject& line) {
    std::int64_t dx = std::int64_t{line.x2} - line.x1, dy = std::int64_t{line.y2} - line.y1;
    if (dy < 0)
        dx = -dx, dy = -dy;
    const double w = static_cast<double>(std::llabs(dx)), h = static_cast<double>(dy);
    // Where an extent is drawn 0, truncation may have hidden a step to either side.
    if (dx == 0 && dy == 0)
        return {0, pi};
    if (dx == 0)
        return {std::atan2(h, 1.0), pi - std::atan2(h, 1.0)};
    if (dy == 0)
        return {-std::atan2(1.0, w), std::atan2(1.0, w)};
    const Interval rightwards{std::atan2(h, w + 1.0), std::atan2(h + 1.0, w)};
    return dx > 0 ? rightwards : Interval{pi - rightwards.high, pi - rightwards.low};
}

bool overlap(Interval a, Interval b) { return a.low <= b.high && b.low <= a.high; }

bool tiltsOverlap(Interval a, Interval b) {
    for (double turn : {-pi, 0.0, pi})
        if (overlap(a, {b.low + turn, b.high + turn}))
            return true;
    return false;
}

}  // namespace

int comparisonSign(const ExerciseState& s, Submodality asked) {
    const DrawnObject o = drawnObject(s), r = drawnReference(s);
    const Extents oe = extentsOf(o), re = extentsOf(r);
    switch (asked) {
    case Submodality::Brightness: return signOf(channelSum(o.colour) - channelSum(r.colour));
    case Submodality::Hue: return signOf(int{o.colour.red} - r.colour.red);
    case Submodality::Saturation: return signOf(chromaSquared(o.colour) - chromaSquared(r.colour));
    case Submodality::Blue: return signOf(int{o.colour.blue} - r.colour.blue);
    case Submodality::Green: return signOf(int{o.colour.green} - r.colour.green);
    case Submodality::Height: return signOf(oe.height - re.height);
    case Submodality::Width: return signOf(oe.width - re.width);
    case Submodality::Area:
        return signOf((oe.width * oe.width + oe.height * oe.height) - (re.width * re.width + re.height * re.height));
    // Centres as the sums of the end points: positive when the object lies higher or further left.
    case Submodality::VerticalPosition: return signOf((std::int64_t{r.y1} + r.y2) - (std::int64_t{o.y1} + o.y2));
    case Submodality::HorizontalPosition: return signOf((std::int64_t{r.x1} + r.x2) - (std::int64_t{o.x1} + o.x2));
    // Width over height, compared by cross-multiplication: a horizontal line
    // (height 0) is the most horizontal one and equal ratios give no difference.
    case Submodality::Rotation: return signOf(oe.width * re.height - re.width * oe.height);
    }
    return 0;
}

bool differsVisibly(const DrawnObject& o, const DrawnObject& r, ObjectKind kind, Submodality asked) {
    const bool line = kind == ObjectKind::Line;
    const Extents oe = extentsOf(o), re = extentsOf(r);
    const std::int64_t extentTolerance = line ? 1 : 0;
    switch (asked) {
    case Submodality::Brightness: return std::llabs(channelSum(o.colour) - channelSum(r.colour)) > channelSumTolerance;
    case Submodality::Saturation: return std::fabs(chroma(o.colour) - chroma(r.colour)) > chromaTolerance;
    case Submodality::Hue:
    case Submodality::Blue:
    case Submodality::Green: return hueDiffersVisibly(o.colour, r.colour);
    case Submodality::Height: return std::llabs(oe.height - re.height) > extentTolerance;
    case Submodality::Width: return std::llabs(oe.width - re.width) > extentTolerance;
    case Submodality::Area:
        if (line)
            return !overlap(lengthInterval(o), lengthInterval(r));
        return oe.width * oe.height != re.width * re.height;
    case Submodality::VerticalPosition: return std::llabs((std::int64_t{o.y1} + o.y2) - (std::int64_t{r.y1} + r.y2)) > 1;
    case Submodality::HorizontalPosition:
        return std::llabs((std::int64_t{o.x1} + o.x2) - (std::int64_t{r.x1} + r.x2)) > 1;
    case Submodality::Rotation:
        if (line)
            return !tiltsOverlap(tiltInterval(o), tiltInterval(r));
        return oe.width * re.height != re.width * oe.height;
    }
    return false;
}

Verdict judgeComparison(const ExerciseState& s) {
    const int m = comparisonSign(s, s.questionKind);
    const bool changedChosen = s.clickedFirst != s.referenceFirst;
    // The chosen object has more exactly when the changed object has more
    // (m > 0) and it was chosen, or has less and the reference was chosen.
    const int chosenHasMore = changedChosen ? m : -m;
    return {s.askedMore ? chosenHasMore < 0 : chosenHasMore > 0, m == 0};
}

}  // namespace kestrani
