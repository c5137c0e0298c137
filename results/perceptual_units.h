#pragma once
// Differences in units people can compare: CIEDE2000 for colours, the Weber
// fraction for sizes, millimetres for positions where the screen's size is known.

#include <optional>

#include "engine/colour_model.h"
#include "results/answer_record.h"

namespace kestrani {

// CIE L*a*b* relative to D50, the white of the ICC profile connection space.
struct Lab {
    double L = 0;
    double a = 0;
    double b = 0;
};

// A painted colour, taken as sRGB, in CIE Lab through Little CMS: the sRGB
// profile's D65 colours chromatically adapted to D50 by the profile itself.
Lab labOfPainted(Rgb colour);

// CIEDE2000 with the parametric factors 1, 1, 1.
double deltaE00(const Lab& first, const Lab& second);
// ΔE00 and its lightness, chroma and hue parts; symmetric in its arguments.
ColourDifference colourDifference(const Lab& stimulus, const Lab& reference);
ColourDifference colourDifference(Rgb stimulus, Rgb reference);

// |difference| / reference in per cent; none when the reference is not positive.
std::optional<double> weberPercent(double difference, double reference);

// Millimetres across one pixel from the screen's size in pixels and the
// physical size it reports; none when that report carries no measurement:
// a size of 0, a size outside what monitors have (under 40 or over 600
// pixels per inch), or exactly the 96 dpi that systems put in when they do
// not know.
std::optional<double> millimetresPerPixel(int widthPixels, int heightPixels, double widthMillimetres,
                                          double heightMillimetres);
// Pixels to millimetres; none without a millimetres-per-pixel value.
std::optional<double> millimetres(double pixels, std::optional<double> millimetresPerPixel);

}  // namespace kestrani
