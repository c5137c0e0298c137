#include "engine/drawn_stimulus.h"

namespace kestrani {

Rgb paintedReferenceColour(const ExerciseState& s) { return {s.baseRed, s.baseGreen, s.baseBlue}; }

Rgb paintedObjectColour(const ExerciseState& s) {
    return {paintedChannel(s.baseRed, s.deltaRed), paintedChannel(s.baseGreen, s.deltaGreen),
            paintedChannel(s.baseBlue, s.deltaBlue)};
}

DrawnObject drawnReference(const ExerciseState& s) {
    return {paintedReferenceColour(s), s.referenceX1, s.referenceY1, s.referenceX2, s.referenceY2};
}

DrawnObject drawnObject(const ExerciseState& s) {
    return {paintedObjectColour(s), s.objectX1, s.objectY1, s.objectX2, s.objectY2};
}

DrawnObject fadedObject(const ExerciseState& s) {
    if (!s.askedDifferenceCancelled)
        return drawnObject(s);
    return {{paintedChannel(s.baseRed, s.fadedRed), paintedChannel(s.baseGreen, s.fadedGreen),
             paintedChannel(s.baseBlue, s.fadedBlue)},
            s.fadedX1, s.fadedY1, s.fadedX2, s.fadedY2};
}

}  // namespace kestrani
