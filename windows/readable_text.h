#pragma once
// Text colour on a coloured background: the system's text colour where it
// reads well there, else black or white.

#include "engine/colour_model.h"

namespace kestrani {

// The contrast ratio of two colours by their relative luminance (sRGB), from 1
// (the same) to 21 (black on white).
double contrastRatio(Rgb first, Rgb second);

// preferred where its contrast with background is at least 3:1, the level for
// large text; otherwise black or white, whichever contrasts more.
Rgb readableTextColour(Rgb preferred, Rgb background);

}  // namespace kestrani
