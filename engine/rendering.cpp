#include "engine/rendering.h"

#include "engine/drawn_stimulus.h"

namespace kestrani {

namespace {

constexpr int splittingPasses = 1001;
constexpr int passesPerFlush = 100;

// Three draws in 0..254, for blue, green and red in this order.
Rgb randomColour(RandomGenerator& random) {
    const auto blue = static_cast<std::uint8_t>(random.drawInt(255));
    const auto green = static_cast<std::uint8_t>(random.drawInt(255));
    const auto red = static_cast<std::uint8_t>(random.drawInt(255));
    return {red, green, blue};
}

void drawRandomLine(DrawingSurface& surface, RandomGenerator& random, int width, int height) {
    surface.setPenColour(randomColour(random));
    const int y1 = random.drawInt(height);
    const int x1 = random.drawInt(width);
    surface.moveTo(x1, y1);
    const int y2 = random.drawInt(height);
    const int x2 = random.drawInt(width);
    surface.lineTo(x2, y2);
}

using Corners = DrawnObject;

void drawLine(DrawingWindow& field, Corners c) {
    field.surface().moveTo(c.x1, c.y1);
    field.surface().lineTo(c.x2, c.y2);
}

void drawShape(DrawingWindow& field, Corners c, bool rectangle) {
    if (rectangle)
        field.surface().rectangle(c.x1, c.y1, c.x2, c.y2);
    else
        field.surface().ellipse(c.x1, c.y1, c.x2, c.y2);
}

}  // namespace

void drawSplittingLines(EngineContext& engine) {
    ExerciseWindows& w = engine.windows;
    const int leftWidth = w.leftCard.width(), leftHeight = w.leftCard.height();
    const int width = w.rightCard.width(), height = w.rightCard.height();
    for (int pass = 1; pass <= splittingPasses; ++pass) {
        drawRandomLine(w.leftCard.surface(), engine.random, leftWidth, leftHeight);
        drawRandomLine(w.rightCard.surface(), engine.random, width, height);
        drawRandomLine(w.objectField.surface(), engine.random, width, height);
        if (pass % passesPerFlush == 0 || pass == splittingPasses) {
            w.leftCard.surface().flush();
            w.rightCard.surface().flush();
            w.objectField.surface().flush();
        }
    }
}

void setFieldBackground(EngineContext& engine) {
    ExerciseWindows& w = engine.windows;
    for (DrawingWindow* field : {&w.rightCard, &w.leftCard, &w.objectField})
        field->setBackgroundColour(engine.settings.variableBackground ? randomColour(engine.random) : silver);
}

void placeAndDrawStimulus(EngineContext& engine) {
    ExerciseState& s = engine.state;
    ExerciseWindows& w = engine.windows;
    const ObjectKind kind = engine.settings.objectKind;
    const bool exercise3 = engine.settings.exerciseKind == ExerciseKind::DiffersInAsked;

    int n = engine.random.drawInt(1000);
    if (exercise3)
        n = 400;  // the changed object is always the one shown
    else
        s.referenceFirst = n >= 500;
    // The first field (TForm2 or TForm4) shows the changed object.
    const bool changedFirst = n < 500;
    const Rgb reference = paintedReferenceColour(s);
    const Rgb changed = paintedObjectColour(s);

    if (kind == ObjectKind::WholeWindow) {
        if (s.singleObject) {
            w.objectField.setBackgroundColour(changedFirst ? changed : reference);
        } else if (changedFirst) {
            w.rightCard.setBackgroundColour(reference);
            w.leftCard.setBackgroundColour(changed);
        } else {
            w.leftCard.setBackgroundColour(reference);
            w.rightCard.setBackgroundColour(changed);
        }
        return;
    }

    const Rgb rightColour = changedFirst ? reference : changed;
    const Rgb firstColour = changedFirst ? changed : reference;
    // Fill colours first, then outline colours, each field in its colour.
    w.rightCard.surface().setBrushColour(rightColour);
    w.leftCard.surface().setBrushColour(firstColour);
    w.objectField.surface().setBrushColour(firstColour);
    w.rightCard.surface().setPenColour(rightColour);
    w.leftCard.surface().setPenColour(firstColour);
    w.objectField.surface().setPenColour(firstColour);

    if (kind == ObjectKind::Rectangle)
        s.shapeIsRectangle = true;
    else if (kind == ObjectKind::Ellipse)
        s.shapeIsRectangle = false;

    const Corners first = changedFirst ? drawnObject(s) : drawnReference(s);
    const Corners second = changedFirst ? drawnReference(s) : drawnObject(s);
    if (kind == ObjectKind::Line) {
        if (s.singleObject) {
            drawLine(w.objectField, first);
        } else {
            drawLine(w.rightCard, second);
            drawLine(w.leftCard, first);
        }
    } else {
        if (kind == ObjectKind::RectangleOrEllipse)
            s.shapeIsRectangle = engine.random.drawInt(1000) > 500;
        if (s.singleObject) {
            drawShape(w.objectField, first, s.shapeIsRectangle);
        } else {
            drawShape(w.leftCard, first, s.shapeIsRectangle);
            drawShape(w.rightCard, second, s.shapeIsRectangle);
        }
    }
    for (DrawingWindow* field : {&w.leftCard, &w.rightCard, &w.objectField})
        field->surface().present();
}

}  // namespace kestrani
