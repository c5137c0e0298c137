#pragma once
// A toolkit-style timer with Interval and Enabled. Setting either to the value
// it already has changes nothing (a running count goes on); any effective
// change cancels the count and, if the timer is then enabled with a non-zero
// interval, starts a new one. An interval of 0 never ticks.

#include "engine/exercise_ports.h"

namespace kestrani {

class PhaseTimer {
public:
    explicit PhaseTimer(TimerDevice& device) : device_(device) {}

    void setInterval(int milliseconds);
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }

private:
    void restartCount();

    TimerDevice& device_;
    int interval_ = 1000;
    bool enabled_ = false;
};

}  // namespace kestrani
