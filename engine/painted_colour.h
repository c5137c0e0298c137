#pragma once
// Measures of a painted colour as a person sees it: its brightness as the sum
// of its channels, its saturation as its chroma (the distance from the grey of
// the same sum) and its hue as the angle of its chromatic part.

#include <cstdint>

#include "config/exercise_settings.h"
#include "engine/colour_model.h"

namespace kestrani {

std::int64_t channelSum(Rgb colour);
// Half the sum of the squared differences between the channels, exactly.
std::int64_t chromaSquared(Rgb colour);
double chroma(Rgb colour);
// The hue angle in radians, from the chromatic plane across the grey axis.
double hueAngle(Rgb colour);

// The colour with the reference's brightness, saturation or hue (property is
// Brightness, Saturation, or one of the hue questions Hue, Blue and Green),
// keeping its own other two as far as whole channel levels allow: a grey
// added or taken away, the chromatic part stretched, or the chromatic part
// turned. A colour without a hue takes the reference's in a change of
// saturation; a change of hue leaves it as it is. Any other property leaves
// the colour as it is.
Rgb withReferenceProperty(Submodality property, Rgb colour, Rgb reference);

}  // namespace kestrani
