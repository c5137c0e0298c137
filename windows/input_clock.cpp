#include "windows/input_clock.h"

#include <algorithm>

namespace kestrani {

namespace {

constexpr std::int64_t wrap = std::int64_t{1} << 32;
// How fast the estimate of the offset is let go: 1 ms a second, far more than
// two quartz clocks drift apart and far less than a reaction time.
constexpr std::int64_t letGoEvery = 1000;

}  // namespace

std::int64_t InputClock::unwrapped(std::uint64_t eventTime) const {
    // The event lies within half a wrap of the last one seen.
    const std::int64_t low = static_cast<std::int64_t>(eventTime % wrap);
    std::int64_t step = (low - lastEventTime_) % wrap;
    if (step < 0)
        step += wrap;
    if (step >= wrap / 2)
        step -= wrap;
    return offset_ ? lastEventTime_ + step : low;
}

std::int64_t InputClock::offsetAt(std::int64_t now) const { return *offset_ + (now - offsetSeenAt_) / letGoEvery; }

void InputClock::observe(std::uint64_t eventTime) {
    const std::int64_t now = clock_.milliseconds();
    const std::int64_t time = unwrapped(eventTime);
    const std::int64_t gap = now - time;
    if (!offset_ || gap <= offsetAt(now)) {
        offset_ = gap;
        offsetSeenAt_ = now;
    }
    lastEventTime_ = time;
}

std::int64_t InputClock::madeAt(std::uint64_t eventTime) const {
    const std::int64_t now = clock_.milliseconds();
    if (!offset_)
        return now;
    return unwrapped(eventTime) + offsetAt(now);
}

}  // namespace kestrani
