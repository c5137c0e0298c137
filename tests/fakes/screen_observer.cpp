#include "fakes/screen_observer.h"

#include <algorithm>
#include <tuple>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>
#include <vector>

namespace kestrani::fakes {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double borderline = 1e-9;  // closer than this to a tolerance, the observer is not sure

double sumOf(Rgb c) { return double(c.red) + c.green + c.blue; }

// The distance of the colour from the grey of the same sum, in channel levels.
double chromaOf(Rgb c) {
    const double r = c.red, g = c.green, b = c.blue;
    return std::sqrt(((r - g) * (r - g) + (g - b) * (g - b) + (b - r) * (b - r)) / 2);
}

double hueAngleOf(Rgb c) { return std::atan2(std::sqrt(3.0) * (double(c.green) - c.blue), 2.0 * c.red - c.green - c.blue); }

// Whole numbers (channel levels, pixels) are compared exactly.
std::optional<bool> beyond(int difference, int tolerance) { return std::abs(difference) > tolerance; }

// Sure that |difference| exceeds the tolerance (true), lies within it (false),
// or neither.
std::optional<bool> beyond(double difference, double tolerance) {
    const double d = std::fabs(difference);
    if (std::fabs(d - tolerance) < borderline)
        return std::nullopt;
    return d > tolerance;
}

struct Range {
    double low, high;
};

// The true extents of a drawn line lie up to a pixel above the drawn ones.
std::vector<std::pair<double, double>> trueExtentCorners(const Seen& line) {
    const double w = std::abs(line.x2 - line.x1), h = std::abs(line.y2 - line.y1);
    return {{w, h}, {w + 1, h}, {w, h + 1}, {w + 1, h + 1}};
}

Range lengthRange(const Seen& line) {
    Range r{1e300, -1e300};
    for (const auto& [w, h] : trueExtentCorners(line)) {
        r.low = std::min(r.low, std::hypot(w, h));
        r.high = std::max(r.high, std::hypot(w, h));
    }
    return r;
}

// How far from the horizontal the true line may lie, in [0, π/2].
Range steepnessRange(const Seen& line) {
    Range r{1e300, -1e300};
    for (const auto& [w, h] : trueExtentCorners(line)) {
        const double a = std::atan2(h, w);
        r.low = std::min(r.low, a);
        r.high = std::max(r.high, a);
    }
    return r;
}

// The tilt as an angle of an undirected line in [0, π), as a range.
Range tiltRange(const Seen& line) {
    const Range steep = steepnessRange(line);
    int dx = line.x2 - line.x1;
    const int dy = line.y2 - line.y1;
    if (dy < 0)
        dx = -dx;
    // Where an extent is drawn 0, a step to either side may have been truncated away.
    if (dx == 0)
        return {steep.low, pi - steep.low};
    if (dy == 0)
        return {-steep.high, steep.high};
    return dx > 0 ? steep : Range{pi - steep.high, pi - steep.low};
}

bool apart(Range a, Range b) { return a.high < b.low - borderline || b.high < a.low - borderline; }
bool overlapping(Range a, Range b) { return a.low <= b.high - borderline && b.low <= a.high - borderline; }

std::optional<bool> tiltsDiffer(const Seen& o, const Seen& r) {
    const Range a = tiltRange(o);
    bool anyApart = true, anyOverlap = false;
    for (double turn : {-pi, 0.0, pi}) {
        const Range b{tiltRange(r).low + turn, tiltRange(r).high + turn};
        anyApart = anyApart && apart(a, b);
        anyOverlap = anyOverlap || overlapping(a, b);
    }
    if (anyApart)
        return true;
    if (anyOverlap)
        return false;
    return std::nullopt;
}

std::optional<bool> hueDiffers(Rgb o, Rgb r) {
    const double least = std::min(chromaOf(o), chromaOf(r));
    // One level a channel can turn a colour this close to grey into any hue.
    if (least <= 2 + borderline)
        return least < 2 - borderline ? std::optional<bool>(false) : std::nullopt;
    double between = std::fabs(hueAngleOf(o) - hueAngleOf(r));
    if (between > pi)
        between = 2 * pi - between;
    return beyond(between, std::asin(2 / least));
}

double extentX(const Seen& s) { return std::abs(s.x2 - s.x1); }
double extentY(const Seen& s) { return std::abs(s.y2 - s.y1); }

}  // namespace

Seen seenOn(FakeDrawingWindow& window, ObjectKind kind) {
    if (kind == ObjectKind::WholeWindow)
        return {window.background};
    Seen seen;
    seen.line = kind == ObjectKind::Line;
    for (const DrawCall& c : window.fakeSurface().calls) {
        if (c.kind == DrawCall::Pen)
            seen.colour = c.colour;
        if (c.kind == DrawCall::Rectangle || c.kind == DrawCall::Ellipse)
            seen.x1 = c.x1, seen.y1 = c.y1, seen.x2 = c.x2, seen.y2 = c.y2;
        if (c.kind == DrawCall::MoveTo)
            seen.x1 = c.x1, seen.y1 = c.y1;
        if (c.kind == DrawCall::LineTo)
            seen.x2 = c.x1, seen.y2 = c.y1;
    }
    return seen;
}

std::optional<Question> questionOn(const std::string& upper, int exercise) {
    using S = Submodality;
    const auto endsWith = [&](const std::string& tail) {
        return upper.size() >= tail.size() && upper.compare(upper.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (exercise == 3) {
        const std::pair<const char*, S> texts[] = {
            {"по яркости?", S::Brightness}, {"по цвету?", S::Hue}, {"по насыщенности цвета?", S::Saturation},
            {"по высоте?", S::Height}, {"по ширине?", S::Width}, {"по размеру (площади)?", S::Area},
            {"по месту по вертикали?", S::VerticalPosition}, {"по месту по горизонтали?", S::HorizontalPosition},
            {"по наклону?", S::Rotation},
        };
        for (const auto& [text, about] : texts)
            if (endsWith(text))
                return Question{about, false};
        return std::nullopt;
    }
    const std::string prefix = "Какой объект ";
    if (upper.rfind(prefix, 0) != 0)
        return std::nullopt;
    const std::string rest = upper.substr(prefix.size());
    const std::tuple<const char*, S, bool> texts[] = {
        {"ярче?", S::Brightness, true}, {"темнее?", S::Brightness, false},
        {"краснее?", S::Hue, true}, {"менее красен?", S::Hue, false},
        {"более насыщен по цвету?", S::Saturation, true}, {"менее насыщен по цвету?", S::Saturation, false},
        {"синее?", S::Blue, true}, {"менее синь?", S::Blue, false},
        {"выше?", S::Height, true}, {"ниже?", S::Height, false},
        {"шире?", S::Width, true}, {"уже?", S::Width, false},
        {"больше?", S::Area, true}, {"меньше?", S::Area, false},
        {"расположен выше?", S::VerticalPosition, true}, {"расположен ниже?", S::VerticalPosition, false},
        {"расположен левее?", S::HorizontalPosition, true}, {"расположен правее?", S::HorizontalPosition, false},
        {"более горизонтален?", S::Rotation, true}, {"более вертикален?", S::Rotation, false},
        {"зеленее?", S::Green, true}, {"менее зелен?", S::Green, false},
    };
    for (const auto& [text, about, more] : texts)
        if (rest == text)
            return Question{about, more};
    return std::nullopt;
}

std::optional<bool> differs(const Seen& o, const Seen& r, Submodality about) {
    using S = Submodality;
    switch (about) {
    case S::Brightness: return beyond(int(sumOf(o.colour) - sumOf(r.colour)), 3);
    case S::Saturation: return beyond(chromaOf(o.colour) - chromaOf(r.colour), 2.0);
    case S::Hue:
    case S::Blue:
    case S::Green: return hueDiffers(o.colour, r.colour);
    case S::Height: return beyond(int(extentY(o) - extentY(r)), o.line ? 1 : 0);
    case S::Width: return beyond(int(extentX(o) - extentX(r)), o.line ? 1 : 0);
    case S::Area:
        if (o.line) {
            const Range a = lengthRange(o), b = lengthRange(r);
            if (apart(a, b))
                return true;
            return overlapping(a, b) ? std::optional<bool>(false) : std::nullopt;
        }
        return extentX(o) * extentY(o) != extentX(r) * extentY(r);
    // Twice the centres, so that half a pixel is one unit.
    case S::VerticalPosition: return beyond((o.y1 + o.y2) - (r.y1 + r.y2), 1);
    case S::HorizontalPosition: return beyond((o.x1 + o.x2) - (r.x1 + r.x2), 1);
    case S::Rotation: return tiltsDiffer(o, r);
    }
    return std::nullopt;
}

std::optional<int> surelyMore(const Seen& a, const Seen& b, Submodality about) {
    using S = Submodality;
    // Sure only beyond what the rounding of the screen could make.
    const auto compare = [](double first, double second, double tolerance) -> std::optional<int> {
        if (first - second > tolerance + borderline)
            return 1;
        if (second - first > tolerance + borderline)
            return -1;
        return std::nullopt;
    };
    // Whole numbers: exactly beyond the tolerance.
    const auto compareWhole = [](int first, int second, int tolerance) -> std::optional<int> {
        if (first - second > tolerance)
            return 1;
        if (second - first > tolerance)
            return -1;
        return std::nullopt;
    };
    switch (about) {
    case S::Brightness: return compareWhole(int(sumOf(a.colour)), int(sumOf(b.colour)), 3);
    case S::Hue: return compareWhole(a.colour.red, b.colour.red, 1);
    case S::Blue: return compareWhole(a.colour.blue, b.colour.blue, 1);
    case S::Green: return compareWhole(a.colour.green, b.colour.green, 1);
    case S::Saturation: return compare(chromaOf(a.colour), chromaOf(b.colour), 2);
    case S::Height: return compareWhole(int(extentY(a)), int(extentY(b)), a.line ? 1 : 0);
    case S::Width: return compareWhole(int(extentX(a)), int(extentX(b)), a.line ? 1 : 0);
    case S::Area:
        if (a.line) {
            const Range x = lengthRange(a), y = lengthRange(b);
            return apart(x, y) ? std::optional<int>(x.low > y.high ? 1 : -1) : std::nullopt;
        }
        // The size of a box as its diagonal.
        return compare(std::hypot(extentX(a), extentY(a)), std::hypot(extentX(b), extentY(b)), 0);
    // Higher on the screen and further left count as more.
    case S::VerticalPosition: return compareWhole(-(a.y1 + a.y2), -(b.y1 + b.y2), 1);
    case S::HorizontalPosition: return compareWhole(-(a.x1 + a.x2), -(b.x1 + b.x2), 1);
    case S::Rotation: {
        // The flatter line is the more horizontal one.
        const Range x = steepnessRange(a), y = steepnessRange(b);
        return apart(x, y) ? std::optional<int>(x.high < y.low ? 1 : -1) : std::nullopt;
    }
    }
    return std::nullopt;
}

bool looksIdentical(const Seen& a, const Seen& b) {
    return a.colour == b.colour && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

bool visiblyDifferent(const Seen& a, const Seen& b) {
    const auto apartBy = [](int x, int y, int tolerance) { return std::abs(x - y) > tolerance; };
    if (apartBy(a.colour.red, b.colour.red, 1) || apartBy(a.colour.green, b.colour.green, 1) ||
        apartBy(a.colour.blue, b.colour.blue, 1))
        return true;
    // Boxes are drawn to the pixel; a line's end points may move by the pixel of truncation.
    const int tolerance = a.line ? 1 : 0;
    return apartBy(a.x1, b.x1, tolerance) || apartBy(a.y1, b.y1, tolerance) || apartBy(a.x2, b.x2, tolerance) ||
           apartBy(a.y2, b.y2, tolerance);
}

}  // namespace kestrani::fakes
