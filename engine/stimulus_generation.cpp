#include "engine/stimulus_generation.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

#include "engine/answer_judging.h"
#include "engine/painted_colour.h"

namespace kestrani {

namespace {

constexpr double pi = std::numbers::pi;

bool changeable(const EngineContext& engine, Submodality s) { return engine.settings.changeable[s].isOn(); }

bool isExercise3(const EngineContext& engine) { return engine.settings.exerciseKind == ExerciseKind::DiffersInAsked; }

// A coin of the program: draw n in 0..999 and tell whether n > 500.
bool coin(EngineContext& engine) { return engine.random.drawInt(1000) > 500; }

// One tenth of the free room along an axis, truncated.
std::int32_t tenthOfFreeRoom(std::int32_t windowExtent, std::int32_t referenceExtent) {
    return trunc32((windowExtent - referenceExtent) * 0.1);
}

// A line's box from its tilt and length; it runs rightwards from its start
// when the cosine is positive, and always downwards.
struct LineBox {
    std::int32_t width, height;
    bool rightwards;
};

LineBox lineBox(double angle, double length) {
    const double cosine = std::cos(angle);
    return {trunc32(std::fabs(cosine * length)), trunc32(std::fabs(std::sin(angle) * length)), cosine > 0};
}

// The line pass: extents from tilt and length, the start point moved by half
// the difference between the reference's and the line's extents, the end point.
void linePass(ExerciseState& state) {
    const LineBox box = lineBox(state.objectAngle, state.objectLength);
    state.objectWidth = box.width;
    state.objectHeight = box.height;
    state.objectX1 = state.objectX1 + (state.referenceWidth - state.objectWidth) / 2;
    state.objectY1 = state.objectY1 + (state.referenceHeight - state.objectHeight) / 2;
    state.objectX2 = box.rightwards ? state.objectX1 + state.objectWidth : state.objectX1 - state.objectWidth;
    state.objectY2 = state.objectY1 + state.objectHeight;
}

// The combined offset in a random direction, on the
// ellipse whose half-axes are one tenth of the free room. The sums and
// products are formed in 64 bits, so they are exact; when u and v are both 0
// (both draws 500, or no free room in either direction) the combined offset is
// 0 in both directions.
void combinedPositionOffset(EngineContext& engine, std::int32_t w, std::int32_t h) {
    ExerciseState& state = engine.state;
    const std::int32_t a = engine.random.drawInt(1000) - 500;
    const std::int32_t b = engine.random.drawInt(1000) - 500;
    const std::int64_t freeX = static_cast<std::int64_t>(w) - state.referenceWidth;
    const std::int64_t freeY = static_cast<std::int64_t>(h) - state.referenceHeight;
    const std::int64_t u = trunc32(static_cast<double>(freeX) * 0.1 * a);
    const std::int64_t v = trunc32(static_cast<double>(freeY) * 0.1 * b);
    const std::int64_t squares = u * u + v * v;
    if (squares == 0) {
        state.objectX1 = state.referenceX1;
        state.objectY1 = state.referenceY1;
        return;
    }
    const double r = std::sqrt(static_cast<double>(squares));
    state.objectX1 = trunc32(static_cast<double>(freeX * u) * 0.1 / r) + state.referenceX1;
    state.objectY1 = trunc32(static_cast<double>(freeY * v) * 0.1 / r) + state.referenceY1;
}

// A geometric step that leaves a difference of Trunc(0.8 × d),
// or of 1 pixel when the difference is 0.
std::int32_t geometricStep(std::int32_t referenceValue, std::int32_t objectValue) {
    const std::int32_t d = referenceValue - objectValue;
    if (d == 0)
        return -1;
    return d - trunc32(0.8 * d);
}

// The same for a width or a height, which is never drawn 0 pixels wide: where
// the reference is 1 pixel, the 1-pixel difference makes the object wider.
std::int32_t extentStep(std::int32_t referenceExtent, std::int32_t objectExtent) {
    if (referenceExtent == objectExtent && referenceExtent <= 1)
        return 1;
    return geometricStep(referenceExtent, objectExtent);
}

// The first object's width or height: the reference's, more or less by the
// difference; where less would leave nothing to draw, more.
std::int32_t openingExtent(bool wider, std::int32_t referenceExtent, std::int32_t difference) {
    if (wider || referenceExtent - difference <= 0)
        return referenceExtent + difference;
    return referenceExtent - difference;
}

// The reference's width or height, the centre kept.
void referenceWidthKeepingCentre(ExerciseState& state) {
    state.shiftWidth = state.referenceWidth - state.objectWidth;
    state.shiftX1 = (-state.shiftWidth) / 2;
}
void referenceHeightKeepingCentre(ExerciseState& state) {
    state.shiftHeight = state.referenceHeight - state.objectHeight;
    state.shiftY1 = (-state.shiftHeight) / 2;
}

// A line's start moves twice in a step, by each line pass, and its centre
// lies half its box away from the start. The shifts put the drawn centre on
// the reference's (the middle of its end points), to the half pixel the two
// extents allow. A position question cancels neither tilt nor length, so both
// passes give the box of the first.
void centreLineHorizontally(ExerciseState& state) {
    const LineBox box = lineBox(state.referenceAngle + state.objectAngle, state.referenceLength + state.objectLength);
    const std::int32_t reach = box.rightwards ? box.width : -box.width;
    const std::int32_t start = (state.referenceX1 + state.referenceX2 - reach) / 2;
    state.shiftX1 = start - state.objectX1 - 2 * ((state.referenceWidth - box.width) / 2);
}
void centreLineVertically(ExerciseState& state) {
    const LineBox box = lineBox(state.referenceAngle + state.objectAngle, state.referenceLength + state.objectLength);
    const std::int32_t start = (state.referenceY1 + state.referenceY2 - box.height) / 2;
    state.shiftY1 = start - state.objectY1 - 2 * ((state.referenceHeight - box.height) / 2);
}

bool isColourQuestion(Submodality question) {
    return question == Submodality::Brightness || question == Submodality::Hue || question == Submodality::Saturation ||
           question == Submodality::Blue || question == Submodality::Green;
}

// Exercise 3: cancel the geometric difference in the asked submodality for this step.
void cancelAskedGeometry(ExerciseState& state, bool line) {
    switch (state.questionKind) {
    case Submodality::Brightness:
    case Submodality::Hue:
    case Submodality::Blue:
    case Submodality::Green:
    case Submodality::Saturation: break;
    case Submodality::Height: referenceHeightKeepingCentre(state); break;
    case Submodality::Width: referenceWidthKeepingCentre(state); break;
    case Submodality::Area:
        // A line's length; a rectangle's or an ellipse's width and height.
        if (line) {
            state.objectLength = 0;
        } else {
            referenceWidthKeepingCentre(state);
            referenceHeightKeepingCentre(state);
        }
        break;
    case Submodality::VerticalPosition:
        if (line)
            centreLineVertically(state);
        else
            state.shiftY1 = (state.referenceY1 - state.objectY1) -
                            ((state.objectHeight - state.referenceHeight + state.stepHeight) / 2);
        break;
    case Submodality::HorizontalPosition:
        if (line)
            centreLineHorizontally(state);
        else
            state.shiftX1 = (state.referenceX1 - state.objectX1) -
                            ((state.objectWidth - state.referenceWidth + state.stepWidth) / 2);
        break;
    case Submodality::Rotation: state.objectAngle = 0; break;
    }
}

bool cancelledInThisStep(const ExerciseState& state, Submodality asked) {
    return state.askedDifferenceCancelled && state.questionKind == asked;
}

// The colour and the geometry of this step's object from its shifts, up to
// the last line pass. A channel whose difference is 1 or less stays at the base.
void applyShifts(const ExerciseSettings& settings, ExerciseState& state) {
    state.objectSaturation = state.saturationShift + state.referenceSaturation;
    state.objectBrightness = state.brightnessShift + state.referenceBrightness;
    state.objectHue = state.hueShift + state.referenceHue;

    const ChannelValues c = colourModel(state.objectBrightness, state.objectHue, state.objectSaturation);
    state.deltaRed = std::abs(state.deltaRed) > 1 ? channelMagnitude(c.red) - state.baseRed : 0;
    state.deltaGreen = std::abs(state.deltaGreen) > 1 ? channelMagnitude(c.green) - state.baseGreen : 0;
    state.deltaBlue = std::abs(state.deltaBlue) > 1 ? channelMagnitude(c.blue) - state.baseBlue : 0;

    state.objectWidth = state.objectWidth + state.shiftWidth;
    state.objectHeight = state.objectHeight + state.shiftHeight;

    // The first line pass.
    if (settings.objectKind == ObjectKind::Line) {
        state.objectAngle = state.referenceAngle + state.objectAngle;
        state.objectLength = state.referenceLength + state.objectLength;
        linePass(state);
    }

    state.objectX1 = state.objectX1 + state.shiftX1;
    state.objectY1 = state.objectY1 + state.shiftY1;
}

// The end points as drawn; for a line, its last pass. Where exercise 3
// cancels the tilt or length difference in this step, the line has the
// reference's tilt or length; the steps go on fading out from their values.
void drawnGeometry(const ExerciseSettings& settings, ExerciseState& state) {
    if (settings.objectKind == ObjectKind::Line) {
        state.objectAngle = cancelledInThisStep(state, Submodality::Rotation)
                                ? state.referenceAngle
                                : state.referenceAngle + state.angleStep;
        state.objectLength = cancelledInThisStep(state, Submodality::Area)
                                 ? state.referenceLength
                                 : state.referenceLength + state.lengthStep;
        linePass(state);
        return;
    }
    state.objectX2 = state.objectX1 + state.objectWidth;
    state.objectY2 = state.objectY1 + state.objectHeight;
}

// Exercise 3: whether the object, with its geometry complete, differs
// visibly from the reference in the asked submodality.
bool differsWhenShown(const ExerciseSettings& settings, const ExerciseState& state) {
    return differsVisibly(drawnObject(state), drawnReference(state), settings.objectKind, state.questionKind);
}

// The first stimulus, every difference at its opening size.
void openingStimulus(EngineContext& engine) {
    ExerciseState& state = engine.state;

    // The colour parameters, ±50 and ±π/2 from the reference.
    if (changeable(engine, Submodality::Brightness)) {
        state.objectBrightness = state.referenceBrightness - 50;
        if (coin(engine))
            state.objectBrightness = state.referenceBrightness + 50;
    } else {
        state.objectBrightness = state.referenceBrightness;
    }
    if (changeable(engine, Submodality::Hue)) {
        state.objectHue = state.referenceHue + pi / 2;
        if (coin(engine))
            state.objectHue = state.referenceHue - pi / 2;
    } else {
        state.objectHue = state.referenceHue;
    }
    if (changeable(engine, Submodality::Saturation)) {
        state.objectSaturation = state.referenceSaturation - 50;
        if (coin(engine))
            state.objectSaturation = state.referenceSaturation + 50;
    } else {
        state.objectSaturation = state.referenceSaturation;
    }

    // The deltas, from the absolute channel values, not limited to 0..255.
    const ChannelValues c = colourModel(state.objectBrightness, state.objectHue, state.objectSaturation);
    state.deltaRed = channelMagnitude(c.red) - state.baseRed;
    state.deltaGreen = channelMagnitude(c.green) - state.baseGreen;
    state.deltaBlue = channelMagnitude(c.blue) - state.baseBlue;

    // The colour steps.
    state.saturationStep = state.objectSaturation - state.referenceSaturation;
    state.brightnessStep = state.objectBrightness - state.referenceBrightness;
    state.hueStep = state.objectHue - state.referenceHue;

    const ObjectKind kind = engine.settings.objectKind;
    if (kind == ObjectKind::WholeWindow)
        return;

    // The position.
    const std::int32_t w = engine.windows.rightCard.width();
    const std::int32_t h = engine.windows.rightCard.height();
    state.objectX1 = state.referenceX1;
    state.objectY1 = state.referenceY1;
    const bool horizontal = changeable(engine, Submodality::HorizontalPosition);
    const bool vertical = changeable(engine, Submodality::VerticalPosition);
    if (horizontal) {
        const std::int32_t dx = tenthOfFreeRoom(w, state.referenceWidth);
        state.objectX1 = coin(engine) ? state.referenceX1 + dx : state.referenceX1 - dx;
    }
    if (vertical) {
        const std::int32_t dy = tenthOfFreeRoom(h, state.referenceHeight);
        state.objectY1 = coin(engine) ? state.referenceY1 + dy : state.referenceY1 - dy;
    }
    if (horizontal && vertical)
        combinedPositionOffset(engine, w, h);

    state.objectHeight = state.referenceHeight;
    state.objectWidth = state.referenceWidth;

    if (kind == ObjectKind::Line) {
        // The tilt and length steps of a line (Area stands for the length).
        state.angleStep = 0;
        if (changeable(engine, Submodality::Rotation))
            state.angleStep = coin(engine) ? pi / 4 : -pi / 4;
        state.lengthStep = 0;
        if (changeable(engine, Submodality::Area))
            state.lengthStep = coin(engine) ? 0.5 * state.referenceLength : -0.5 * state.referenceLength;
        return;
    }

    // Width and height of a rectangle or ellipse, keeping the centre.
    if (changeable(engine, Submodality::Width)) {
        const std::int32_t dw = tenthOfFreeRoom(w, state.referenceWidth);
        state.objectWidth = openingExtent(coin(engine), state.referenceWidth, dw);
        state.objectX1 = state.objectX1 - (state.objectWidth - state.referenceWidth) / 2;
    }
    if (changeable(engine, Submodality::Height)) {
        const std::int32_t dh = tenthOfFreeRoom(h, state.referenceHeight);
        state.objectHeight = openingExtent(coin(engine), state.referenceHeight, dh);
        state.objectY1 = state.objectY1 - (state.objectHeight - state.referenceHeight) / 2;
    }
}

}  // namespace

void produceFirstStimulus(EngineContext& engine) {
    ExerciseState& state = engine.state;
    openingStimulus(engine);
    state.askedDifferenceCancelled = false;
    // Exercise 3: the first object shows every difference it has, so the key
    // says that it differs; when it shows none in the asked submodality,
    // nothing is left to ask.
    if (isExercise3(engine)) {
        state.referenceFirst = false;
        ExerciseState shown = state;
        drawnGeometry(engine.settings, shown);
        state.askedDifferenceLeft = differsWhenShown(engine.settings, shown);
    }
}

void produceNextStimulus(EngineContext& engine) {
    ExerciseState& state = engine.state;
    const bool exercise3 = isExercise3(engine);

    // Exercise 3: a cancelled difference was for that step only. The object
    // fades on from the stimulus the fade-out had reached: its geometry, and
    // the channels, which freeze from the differences reached.
    if (exercise3 && state.askedDifferenceCancelled) {
        state.objectX1 = state.fadedX1;
        state.objectY1 = state.fadedY1;
        state.objectWidth = state.fadedWidth;
        state.objectHeight = state.fadedHeight;
        state.deltaRed = state.fadedRed;
        state.deltaGreen = state.fadedGreen;
        state.deltaBlue = state.fadedBlue;
    }

    // The colour steps fade out.
    state.hueStep *= 0.8;
    state.saturationStep *= 0.8;
    state.brightnessStep *= 0.8;

    // The geometric steps.
    state.stepX1 = geometricStep(state.referenceX1, state.objectX1);
    state.stepY1 = geometricStep(state.referenceY1, state.objectY1);
    state.stepWidth = extentStep(state.referenceWidth, state.objectWidth);
    state.stepHeight = extentStep(state.referenceHeight, state.objectHeight);

    // Tilt and length fade out.
    state.angleStep *= 0.8;
    state.lengthStep *= 0.8;

    // The non-monotonic coins.
    if (engine.settings.nonMonotonic) {
        if (coin(engine))
            state.hueStep = -state.hueStep;
        if (coin(engine))
            state.saturationStep = -state.saturationStep;
        if (coin(engine))
            state.brightnessStep = -state.brightnessStep;
    }

    // The changes applied in this step.
    state.brightnessShift = state.brightnessStep;
    state.hueShift = state.hueStep;
    state.saturationShift = state.saturationStep;
    state.shiftX1 = state.stepX1;
    state.shiftY1 = state.stepY1;
    state.shiftWidth = state.stepWidth;
    state.shiftHeight = state.stepHeight;
    state.objectAngle = state.angleStep;
    state.objectLength = state.lengthStep;

    state.askedDifferenceCancelled = false;
    if (!exercise3) {
        applyShifts(engine.settings, state);
        return;
    }

    // Exercise 3 decides whether the object differs in the asked submodality.
    // The stimulus as the fade-out leaves it tells whether anything is left
    // to ask, and keeps the channel differences the next step fades on from.
    const bool cancel = engine.random.drawInt(10000) < 5000;
    ExerciseState uncancelled = state;
    applyShifts(engine.settings, uncancelled);
    drawnGeometry(engine.settings, uncancelled);
    state.askedDifferenceLeft = differsWhenShown(engine.settings, uncancelled);
    if (cancel) {
        cancelAskedGeometry(state, engine.settings.objectKind == ObjectKind::Line);
        state.askedDifferenceCancelled = true;
    }
    applyShifts(engine.settings, state);
    // A colour question is cancelled in the colour as painted: the channels
    // the colour model, its truncation and its frozen channels give would
    // show a brightness, saturation or hue of their own.
    if (cancel && isColourQuestion(state.questionKind)) {
        const Rgb shown = withReferenceProperty(state.questionKind, paintedObjectColour(state), paintedReferenceColour(state));
        state.deltaRed = shown.red - state.baseRed;
        state.deltaGreen = shown.green - state.baseGreen;
        state.deltaBlue = shown.blue - state.baseBlue;
    }
    state.fadedRed = uncancelled.deltaRed;
    state.fadedGreen = uncancelled.deltaGreen;
    state.fadedBlue = uncancelled.deltaBlue;
    state.fadedX1 = uncancelled.objectX1;
    state.fadedY1 = uncancelled.objectY1;
    state.fadedX2 = uncancelled.objectX2;
    state.fadedY2 = uncancelled.objectY2;
    state.fadedWidth = uncancelled.objectWidth;
    state.fadedHeight = uncancelled.objectHeight;
    // The key says what will be drawn: "no difference" exactly when the object
    // shows none in the asked submodality. A cancellation that leaves one (a
    // channel held at 255, say) keys "differs".
    ExerciseState shown = state;
    drawnGeometry(engine.settings, shown);
    state.referenceFirst = !differsWhenShown(engine.settings, shown);
}

void completeGeometry(EngineContext& engine) { drawnGeometry(engine.settings, engine.state); }

}  // namespace kestrani
