#include "engine/reference_generation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kestrani {

namespace {

constexpr double pi = std::numbers::pi;

// Draw n in 0..k−1. A range that is empty or negative (a window narrower than
// the object, which the screen shapes in use do not produce) gives 0; the draw
// is taken all the same, so the sequence of draws never changes.
std::int32_t drawBelow(RandomGenerator& random, std::int32_t k) { return random.drawInt(k > 0 ? k : 0); }

bool inByteRange(std::int32_t value) { return value >= 0 && value <= 255; }

// Half a drawn extent; a reference is never drawn 0 pixels wide or high.
std::int32_t halfOf(std::int32_t n) { return std::max(1, n / 2); }

// The colour loop, repeated until all three channels lie in 0..255.
void drawColourParameters(EngineContext& engine) {
    const ExerciseSettings& settings = engine.settings;
    ExerciseState& state = engine.state;
    for (;;) {
        if (settings.initial[Submodality::Saturation].isOn())
            state.referenceSaturation = 255 - engine.random.drawInt(255);
        else
            state.referenceSaturation = 127;
        if (settings.initial[Submodality::Hue].isOn()) {
            state.referenceHue = engine.random.drawInt(1000) * pi / 1000;
        } else {
            state.referenceHue = 0;
            state.referenceSaturation = 0;
        }
        if (settings.initial[Submodality::Brightness].isOn()) {
            state.referenceBrightness = engine.random.drawInt(255);
        } else {
            state.referenceBrightness = 0;
            state.referenceSaturation = 0;
        }
        const ChannelValues c =
            colourModel(state.referenceBrightness, state.referenceHue, state.referenceSaturation);
        if (inByteRange(c.red) && inByteRange(c.green) && inByteRange(c.blue))
            return;
    }
}

// The start of the box along one axis, within the
// middle three fifths of the free room when the position is initial, else centred.
std::int32_t placeStart(EngineContext& engine, bool initialPosition, std::int32_t windowExtent,
                        std::int32_t objectExtent) {
    if (initialPosition) {
        const std::int32_t freeRoom = windowExtent - objectExtent;
        const std::int32_t n = drawBelow(engine.random, trunc32(0.6 * freeRoom));
        return n + trunc32(0.2 * freeRoom);
    }
    return trunc32(windowExtent / 2.0 - objectExtent / 2.0);
}

void placeBox(EngineContext& engine, std::int32_t w, std::int32_t h) {
    ExerciseState& state = engine.state;
    const SlotColumn& initial = engine.settings.initial;
    state.referenceX1 = placeStart(engine, initial[Submodality::HorizontalPosition].isOn(), w, state.referenceWidth);
    state.referenceY1 = placeStart(engine, initial[Submodality::VerticalPosition].isOn(), h, state.referenceHeight);
}

// The rectangle geometry, computed for every geometric kind.
void drawRectangleGeometry(EngineContext& engine, std::int32_t w, std::int32_t h) {
    ExerciseState& state = engine.state;
    const SlotColumn& initial = engine.settings.initial;
    state.referenceWidth = halfOf(drawBelow(engine.random, w));
    if (initial[Submodality::Height].isOn() || initial[Submodality::Width].isOn())
        state.referenceHeight = halfOf(drawBelow(engine.random, h));
    else
        state.referenceHeight = state.referenceWidth;
    placeBox(engine, w, h);
    state.referenceX2 = state.referenceX1 + state.referenceWidth;
    state.referenceY2 = state.referenceY1 + state.referenceHeight;
}

// The line geometry, replacing the rectangle geometry.
void drawLineGeometry(EngineContext& engine, std::int32_t w, std::int32_t h) {
    ExerciseState& state = engine.state;
    const SlotColumn& initial = engine.settings.initial;
    if (initial[Submodality::Rotation].isOn())
        state.referenceAngle = engine.random.drawReal() * pi;
    else
        state.referenceAngle = pi / 4;
    if (initial[Submodality::Area].isOn())
        state.referenceLength = drawBelow(engine.random, w) * 0.4;
    else
        state.referenceLength = trunc32(0.4 * w);
    if (state.referenceLength == 0)
        state.referenceLength = 1;  // a line of no length would not be drawn
    const double cosine = std::cos(state.referenceAngle);
    const double sine = std::sin(state.referenceAngle);
    state.referenceWidth = trunc32(std::fabs(cosine * state.referenceLength));
    state.referenceHeight = trunc32(std::fabs(sine * state.referenceLength));
    placeBox(engine, w, h);
    if (cosine > 0) {
        state.referenceX2 = state.referenceX1 + state.referenceWidth;
    } else {
        state.referenceX1 = state.referenceX1 + state.referenceWidth;
        state.referenceX2 = state.referenceX1 - state.referenceWidth;
    }
    if (sine > 0) {
        state.referenceY2 = state.referenceY1 + state.referenceHeight;
    } else {
        state.referenceY1 = state.referenceY1 + state.referenceHeight;
        state.referenceY2 = state.referenceY1 - state.referenceHeight;
    }
}

}  // namespace

void generateReference(EngineContext& engine) {
    const ExerciseSettings& settings = engine.settings;
    ExerciseState& state = engine.state;
    DrawingWindow& referenceWindow = engine.windows.referenceWindow;

    // Flags, and an empty silver reference window.
    state.exerciseStarted = false;
    state.exerciseFinished = false;
    referenceWindow.close();
    referenceWindow.setBackgroundColour(silver);
    referenceWindow.show();

    // Refusal of exercises 3 and 4 when nothing is asked.
    const int exercise = settings.exerciseNumber();
    if ((exercise == 3 || exercise == 4) && !settings.anyAsked()) {
        // A count still running from an earlier reference must not start
        // the refused exercise later, over the configuration window.
        engine.timer1.setEnabled(false);
        engine.messages.showInformation(noCalibratedSubmodalityMessage);
        engine.windows.rightCard.close();
        engine.windows.leftCard.close();
        engine.windows.backdrop.close();
        referenceWindow.close();
        return;
    }

    // The reference-show limit.
    if (settings.referenceShowLimit.enabled) {
        engine.timer1.setInterval(settings.referenceShowLimit.seconds * 1000);
        engine.timer1.setEnabled(true);
    }

    // The colour.
    if (!settings.standardColor.enabled)
        drawColourParameters(engine);
    const ChannelValues c = colourModel(state.referenceBrightness, state.referenceHue, state.referenceSaturation);
    state.referenceRed = lowByte(channelMagnitude(c.red));
    state.referenceGreen = lowByte(channelMagnitude(c.green));
    state.referenceBlue = lowByte(channelMagnitude(c.blue));
    const Rgb colour{state.referenceRed, state.referenceGreen, state.referenceBlue};

    // The whole window is the reference.
    const ObjectKind kind = settings.objectKind;
    if (kind == ObjectKind::WholeWindow) {
        referenceWindow.setBackgroundColour(colour);
        return;
    }

    // The geometry.
    const std::int32_t w = referenceWindow.width();
    const std::int32_t h = referenceWindow.height();
    drawRectangleGeometry(engine, w, h);
    if (kind == ObjectKind::Line)
        drawLineGeometry(engine, w, h);

    // The drawing.
    DrawingSurface& surface = referenceWindow.surface();
    surface.setBrushColour(colour);
    surface.setPenColour(colour);
    if (kind == ObjectKind::Line) {
        surface.moveTo(state.referenceX1, state.referenceY1);
        surface.lineTo(state.referenceX2, state.referenceY2);
    }
    if (kind == ObjectKind::Rectangle)
        state.shapeIsRectangle = true;
    else if (kind == ObjectKind::Ellipse)
        state.shapeIsRectangle = false;
    else if (kind == ObjectKind::RectangleOrEllipse)
        state.shapeIsRectangle = engine.random.drawInt(1000) > 500;
    if (kind != ObjectKind::Line) {
        if (state.shapeIsRectangle)
            surface.rectangle(state.referenceX1, state.referenceY1, state.referenceX2, state.referenceY2);
        else
            surface.ellipse(state.referenceX1, state.referenceY1, state.referenceX2, state.referenceY2);
    }
    surface.present();
}

}  // namespace kestrani
