#pragma once
// A fake clock with timer devices that tick when the clock is advanced.

#include <functional>
#include <vector>

#include "engine/exercise_ports.h"
#include "results/clock.h"

namespace kestrani::fakes {

class FakeClock;

class FakeTimerDevice : public TimerDevice {
public:
    explicit FakeTimerDevice(FakeClock& clock);
    void startCount(int milliseconds) override;
    void stopCount() override { running = false; }

    std::function<void()> onTick;
    bool running = false;
    long long period = 0;
    long long due = 0;
    int starts = 0;

private:
    FakeClock& clock_;
};

// Also the wall clock of the results (its milliseconds count from 1970) and
// the engine's steady clock.
class FakeClock : public Clock, public SteadyClock {
public:
    long long now() const { return now_; }
    std::int64_t millisecondsSinceEpoch() const override { return now_; }
    std::int64_t milliseconds() const override { return now_; }
    // Moves time forward, delivering every tick that falls due on the way, in
    // time order, each at its own moment.
    void advance(long long milliseconds);
    void attach(FakeTimerDevice* device) { devices_.push_back(device); }

private:
    long long now_ = 0;
    std::vector<FakeTimerDevice*> devices_;
};

}  // namespace kestrani::fakes
