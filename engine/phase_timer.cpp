#include "engine/phase_timer.h"

namespace kestrani {

void PhaseTimer::setInterval(int milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    restartCount();
}

void PhaseTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restartCount();
}

void PhaseTimer::restartCount() {
    device_.stopCount();
    if (enabled_ && interval_ > 0)
        device_.startCount(interval_);
}

}  // namespace kestrani
