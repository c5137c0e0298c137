#include "engine/answer_judging.h"

#include <cmath>
#include <cstdint>

namespace kestrani {

namespace {

template <typename T>
int signOf(T value) {
    return (value > T(0)) - (value < T(0));
}

// objectWidth/objectHeight − referenceWidth/referenceHeight, compared by
// cross-multiplication so that a horizontal line (height 0) counts as the most
// horizontal one and two equal ratios give no difference.
int rotationSign(const ExerciseState& s) {
    const std::int64_t cross = std::int64_t{s.objectWidth} * s.referenceHeight - std::int64_t{s.referenceWidth} * s.objectHeight;
    const bool denominatorsDisagree = (s.objectHeight < 0) != (s.referenceHeight < 0);
    return denominatorsDisagree ? -signOf(cross) : signOf(cross);
}

std::int64_t squaredExtent(std::int32_t width, std::int32_t height) {
    return std::int64_t{width} * width + std::int64_t{height} * height;
}

}  // namespace

double objectChroma(const ExerciseState& s) {
    const std::int64_t r = std::int64_t{s.baseRed} + s.deltaRed;
    const std::int64_t g = std::int64_t{s.baseGreen} + s.deltaGreen;
    const std::int64_t b = std::int64_t{s.baseBlue} + s.deltaBlue;
    return std::sqrt(static_cast<double>(r * r + g * g + b * b - r * g - r * b - g * b));
}

int comparisonSign(const ExerciseState& s, Submodality asked, double chroma) {
    switch (asked) {
    case Submodality::Brightness: return signOf(std::int64_t{s.deltaRed} + s.deltaGreen + s.deltaBlue);
    case Submodality::Hue: return signOf(s.deltaRed);
    case Submodality::Saturation: return signOf(chroma - s.referenceSaturation);
    case Submodality::Blue: return signOf(s.deltaBlue);
    case Submodality::Height: return signOf(std::int64_t{s.objectHeight} - s.referenceHeight);
    case Submodality::Width: return signOf(std::int64_t{s.objectWidth} - s.referenceWidth);
    case Submodality::Area:
        return signOf(squaredExtent(s.objectWidth, s.objectHeight) - squaredExtent(s.referenceWidth, s.referenceHeight));
    case Submodality::VerticalPosition:
        return signOf((s.referenceY1 + s.referenceHeight / 2.0) - (s.objectY1 + s.objectHeight / 2.0));
    case Submodality::HorizontalPosition:
        return signOf((s.referenceX1 + s.referenceWidth / 2.0) - (s.objectX1 + s.objectWidth / 2.0));
    case Submodality::Rotation: return rotationSign(s);
    case Submodality::Green: return signOf(s.deltaGreen);
    }
    return 0;
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
