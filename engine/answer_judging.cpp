#include "engine/answer_judging.h"

#include <cmath>
#include <cstdint>

#include "engine/colour_model.h"

namespace kestrani {

namespace {

// An object as the measures see it: its channels, its saturation and its box
// (corner and extents; a line drawn leftwards has a negative width).
struct Appearance {
    std::int64_t red = 0, green = 0, blue = 0;
    double saturation = 0;
    std::int64_t x = 0, y = 0, width = 0, height = 0;
};

template <typename T>
int signOf(T value) {
    return (value > T(0)) - (value < T(0));
}

// objectWidth/objectHeight − referenceWidth/referenceHeight, compared by
// cross-multiplication so that a horizontal line (height 0) counts as the most
// horizontal one and two equal ratios give no difference.
int rotationSign(const Appearance& o, const Appearance& r) {
    const std::int64_t cross = o.width * r.height - r.width * o.height;
    const bool denominatorsDisagree = (o.height < 0) != (r.height < 0);
    return denominatorsDisagree ? -signOf(cross) : signOf(cross);
}

std::int64_t squaredExtent(const Appearance& a) { return a.width * a.width + a.height * a.height; }

double chroma(std::int64_t r, std::int64_t g, std::int64_t b) {
    return std::sqrt(static_cast<double>(r * r + g * g + b * b - r * g - r * b - g * b));
}

Appearance colourOnly(std::int64_t red, std::int64_t green, std::int64_t blue, double saturation) {
    return {red, green, blue, saturation, 0, 0, 0, 0};
}

// The sign tells whether the object has more (> 0) or less (< 0) of the
// property asked about than the reference; 0 means no difference.
int measureSign(Submodality asked, const Appearance& o, const Appearance& r) {
    switch (asked) {
    case Submodality::Brightness: return signOf((o.red + o.green + o.blue) - (r.red + r.green + r.blue));
    case Submodality::Hue: return signOf(o.red - r.red);
    case Submodality::Saturation: return signOf(o.saturation - r.saturation);
    case Submodality::Blue: return signOf(o.blue - r.blue);
    case Submodality::Height: return signOf(o.height - r.height);
    case Submodality::Width: return signOf(o.width - r.width);
    case Submodality::Area: return signOf(squaredExtent(o) - squaredExtent(r));
    case Submodality::VerticalPosition:
        return signOf((r.y + r.height / 2.0) - (o.y + o.height / 2.0));
    case Submodality::HorizontalPosition:
        return signOf((r.x + r.width / 2.0) - (o.x + o.width / 2.0));
    case Submodality::Rotation: return rotationSign(o, r);
    case Submodality::Green: return signOf(o.green - r.green);
    }
    return 0;
}

}  // namespace

double objectChroma(const ExerciseState& s) {
    return chroma(std::int64_t{s.baseRed} + s.deltaRed, std::int64_t{s.baseGreen} + s.deltaGreen,
                  std::int64_t{s.baseBlue} + s.deltaBlue);
}

int comparisonSign(const ExerciseState& s, Submodality asked, double objectChroma) {
    Appearance object = colourOnly(std::int64_t{s.baseRed} + s.deltaRed, std::int64_t{s.baseGreen} + s.deltaGreen,
                                   std::int64_t{s.baseBlue} + s.deltaBlue, objectChroma);
    object.x = s.objectX1, object.y = s.objectY1, object.width = s.objectWidth, object.height = s.objectHeight;
    // The reference's saturation is its colour parameter itself, not the chroma of its channels.
    Appearance reference = colourOnly(s.baseRed, s.baseGreen, s.baseBlue, s.referenceSaturation);
    reference.x = s.referenceX1, reference.y = s.referenceY1;
    reference.width = s.referenceWidth, reference.height = s.referenceHeight;
    return measureSign(asked, object, reference);
}

bool drawnObjectDiffers(const ExerciseState& s, ObjectKind kind, Submodality asked) {
    const std::int64_t red = lowByte(s.baseRed + s.deltaRed);
    const std::int64_t green = lowByte(s.baseGreen + s.deltaGreen);
    const std::int64_t blue = lowByte(s.baseBlue + s.deltaBlue);
    Appearance object = colourOnly(red, green, blue, chroma(red, green, blue));
    Appearance reference = colourOnly(s.baseRed, s.baseGreen, s.baseBlue, chroma(s.baseRed, s.baseGreen, s.baseBlue));
    if (kind != ObjectKind::WholeWindow) {
        object.x = s.objectX1, object.y = s.objectY1;
        object.width = std::int64_t{s.objectX2} - s.objectX1, object.height = std::int64_t{s.objectY2} - s.objectY1;
        reference.x = s.referenceX1, reference.y = s.referenceY1;
        reference.width = std::int64_t{s.referenceX2} - s.referenceX1;
        reference.height = std::int64_t{s.referenceY2} - s.referenceY1;
    }
    return measureSign(asked, object, reference) != 0;
}

Verdict judgeComparison(const ExerciseState& s, double chroma) {
    const int m = comparisonSign(s, s.questionKind, chroma);
    const bool changedChosen = s.clickedFirst != s.referenceFirst;
    // The chosen object has more exactly when the changed object has more
    // (m > 0) and it was chosen, or has less and the reference was chosen.
    const int chosenHasMore = changedChosen ? m : -m;
    return {s.askedMore ? chosenHasMore < 0 : chosenHasMore > 0, m == 0};
}

}  // namespace kestrani
