#include "results/perceptual_units.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kestrani {

namespace {

// One transform for the program's life: 8-bit sRGB in, Lab (v4, D50) out.
// Unoptimised, so every colour goes through the profile's own curves and
// matrix rather than a table interpolated between them, and uncached, so
// calls need no lock.
class SrgbToLab {
public:
    SrgbToLab() {
        cmsHPROFILE srgb = cmsCreate_sRGBProfile();
        cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
        if (srgb && lab)
            transform_ = cmsCreateTransform(srgb, TYPE_RGB_8, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC,
                                            cmsFLAGS_NOOPTIMIZE | cmsFLAGS_NOCACHE);
        if (srgb)
            cmsCloseProfile(srgb);
        if (lab)
            cmsCloseProfile(lab);
        if (!transform_)
            throw std::runtime_error("Little CMS could not make the sRGB to Lab transform");
    }
    ~SrgbToLab() { cmsDeleteTransform(transform_); }
    SrgbToLab(const SrgbToLab&) = delete;
    SrgbToLab& operator=(const SrgbToLab&) = delete;

    Lab operator()(Rgb colour) const {
        const unsigned char in[3] = {colour.red, colour.green, colour.blue};
        cmsCIELab out{};
        cmsDoTransform(transform_, in, &out, 1);
        return {out.L, out.a, out.b};
    }

private:
    cmsHTRANSFORM transform_ = nullptr;
};

cmsCIELab toCms(const Lab& c) { return {c.L, c.a, c.b}; }

// A parametric factor so large that its term of ΔE00 vanishes, together
// with the rotation term that multiplies it: what remains is the one part
// left at factor 1, to about 1e-9 of the other parts.
constexpr double silenced = 1e9;

double weightedDifference(const Lab& first, const Lab& second, double kL, double kC, double kH) {
    const cmsCIELab a = toCms(first), b = toCms(second);
    return cmsCIE2000DeltaE(&a, &b, kL, kC, kH);
}

}  // namespace

Lab labOfPainted(Rgb colour) {
    static const SrgbToLab transform;
    return transform(colour);
}

double deltaE00(const Lab& first, const Lab& second) { return weightedDifference(first, second, 1, 1, 1); }

ColourDifference colourDifference(const Lab& stimulus, const Lab& reference) {
    return {deltaE00(stimulus, reference), weightedDifference(stimulus, reference, 1, silenced, silenced),
            weightedDifference(stimulus, reference, silenced, 1, silenced),
            weightedDifference(stimulus, reference, silenced, silenced, 1)};
}

ColourDifference colourDifference(Rgb stimulus, Rgb reference) {
    return colourDifference(labOfPainted(stimulus), labOfPainted(reference));
}

std::optional<double> weberPercent(double difference, double reference) {
    if (!(reference > 0) || !std::isfinite(difference) || !std::isfinite(reference))
        return std::nullopt;
    return std::fabs(difference) / reference * 100.0;
}

std::optional<double> millimetresPerPixel(int widthPixels, int heightPixels, double widthMillimetres,
                                          double heightMillimetres) {
    if (widthPixels <= 0 || heightPixels <= 0 || !(widthMillimetres > 0) || !(heightMillimetres > 0) ||
        !std::isfinite(widthMillimetres) || !std::isfinite(heightMillimetres))
        return std::nullopt;
    // The guess: 96 dpi, rounded to whole millimetres on both sides.
    constexpr double guessedMillimetresPerPixel = 25.4 / 96.0;
    if (std::fabs(widthMillimetres - widthPixels * guessedMillimetresPerPixel) <= 0.5 &&
        std::fabs(heightMillimetres - heightPixels * guessedMillimetresPerPixel) <= 0.5)
        return std::nullopt;
    const double across = widthMillimetres / widthPixels;
    const double down = heightMillimetres / heightPixels;
    // Pixels are square on every monitor in use; sides that disagree by more
    // than a tenth come from a report that does not describe the screen.
    if (std::fabs(across - down) > 0.1 * std::max(across, down))
        return std::nullopt;
    const double perPixel = (across + down) / 2.0;
    constexpr double finest = 25.4 / 600.0, coarsest = 25.4 / 40.0;
    if (perPixel < finest || perPixel > coarsest)
        return std::nullopt;
    return perPixel;
}

std::optional<double> millimetres(double pixels, std::optional<double> perPixel) {
    if (!perPixel || !(*perPixel > 0))
        return std::nullopt;
    return pixels * *perPixel;
}

}  // namespace kestrani
