#include "windows/framed_window_fit.h"

#include <cstdint>

namespace kestrani {

namespace {

// a / b < c / d for positive denominators.
bool smaller(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) { return a * d < c * b; }

}  // namespace

DesignScale framedWindowScale(ScreenSize screen, int clientWidth, int clientHeight) {
    DesignScale scale = designScale(screen);
    if (smaller(clientWidth, designClientWidth, scale.numerator, scale.denominator))
        scale = {clientWidth, designClientWidth, 0};
    if (smaller(clientHeight, designClientHeight, scale.numerator, scale.denominator))
        scale = {clientHeight, designClientHeight, 0};
    return scale;
}

FramedWindowFit::Placement FramedWindowFit::place(ScreenSize screen, WindowRect outer, FrameMargins frame) {
    last_ = Set{screen, outer, frame};
    ++placementsInRound_;
    return {outer.left, outer.top, outer.width - frame.left - frame.right, outer.height - frame.top - frame.bottom};
}

bool FramedWindowFit::needsPlacing(ScreenSize screen, int outerWidth, int outerHeight, bool maximized) const {
    if (!last_ || last_->screen != screen)
        return true;
    if (maximized)
        return false;
    return outerWidth != last_->outer.width || outerHeight != last_->outer.height;
}

bool FramedWindowFit::needsPlacingAgain(WindowRect outer) const {
    return last_ && placementsInRound_ < placementsPerRound && last_->outer != outer;
}

bool FramedWindowFit::frameChanged(FrameMargins frame) const { return last_ && last_->frame != frame; }

}  // namespace kestrani
