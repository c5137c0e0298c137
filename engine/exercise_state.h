#pragma once
// Everything the exercise engine remembers from one event to the next.
// Zero-filled at start; never reset as a whole.

#include <cstdint>

#include "config/exercise_settings.h"

namespace kestrani {

struct ExerciseState {
    // Flow and answer flags.
    bool exerciseStarted = false;   // objects phase has begun (backdrop click rule reads it)
    bool exerciseFinished = false;  // the exercise has ended
    bool continueExercise = false;  // delay, field background and re-showing happen only while true
    bool answerGiven = false;
    bool singleObject = false;      // exercises 2 and 3: one object in TForm4
    bool clickedFirst = false;      // the left card TForm2 was clicked
    bool clickedObject = false;     // the object field TForm4 was clicked (not the backdrop)
    bool referenceFirst = false;    // the answer key
    bool askedMore = false;         // exercise 4: the question comes from moreQuestions
    bool noDifference = false;      // exercise 4: nothing left to tell the objects apart
    bool shapeIsRectangle = false;  // rectangle (true) or ellipse (false) for the next drawing
    Submodality questionKind = Submodality::Brightness;
    std::int32_t successCount = 0;

    // Colours.
    std::uint8_t referenceRed = 0, referenceGreen = 0, referenceBlue = 0;
    std::uint8_t baseRed = 0, baseGreen = 0, baseBlue = 0;
    std::int32_t deltaRed = 0, deltaGreen = 0, deltaBlue = 0;
    double referenceBrightness = 0.0, referenceHue = 0.0, referenceSaturation = 0.0;
    double objectBrightness = 0.0, objectHue = 0.0, objectSaturation = 0.0;
    double brightnessStep = 0.0, hueStep = 0.0, saturationStep = 0.0;
    double brightnessShift = 0.0, hueShift = 0.0, saturationShift = 0.0;

    // Geometry, in pixels of the cards.
    std::int32_t referenceX1 = 0, referenceY1 = 0, referenceX2 = 0, referenceY2 = 0;
    std::int32_t referenceWidth = 0, referenceHeight = 0;
    std::int32_t objectX1 = 0, objectY1 = 0, objectX2 = 0, objectY2 = 0;
    std::int32_t objectWidth = 0, objectHeight = 0;
    std::int32_t stepX1 = 0, stepY1 = 0, stepWidth = 0, stepHeight = 0;
    std::int32_t shiftX1 = 0, shiftY1 = 0, shiftWidth = 0, shiftHeight = 0;
    double referenceAngle = 0.0, referenceLength = 0.0;
    double angleStep = 0.0, lengthStep = 0.0;
    double objectAngle = 0.0, objectLength = 0.0;

    // Exercise 3: the asked difference is cancelled in this step; the stimulus
    // before any cancellation still differs visibly from the reference in the
    // asked submodality; that stimulus as the fade-out reached it, which a
    // cancelled step does not show: its channel differences and its completed
    // geometry.
    bool askedDifferenceCancelled = false;
    bool askedDifferenceLeft = false;
    std::int32_t fadedRed = 0, fadedGreen = 0, fadedBlue = 0;
    std::int32_t fadedX1 = 0, fadedY1 = 0, fadedX2 = 0, fadedY2 = 0;
    std::int32_t fadedWidth = 0, fadedHeight = 0;

    std::int32_t delayMilliseconds = 0;
};

}  // namespace kestrani
