#include "fakes/fake_clock.h"

namespace kestrani::fakes {

FakeTimerDevice::FakeTimerDevice(FakeClock& clock) : clock_(clock) { clock_.attach(this); }

void FakeTimerDevice::startCount(int milliseconds) {
    running = true;
    period = milliseconds;
    due = clock_.now() + milliseconds;
    ++starts;
}

void FakeClock::advance(long long milliseconds) {
    const long long end = now_ + milliseconds;
    for (;;) {
        FakeTimerDevice* next = nullptr;
        for (FakeTimerDevice* device : devices_)
            if (device->running && device->due <= end && (!next || device->due < next->due))
                next = device;
        if (!next)
            break;
        now_ = next->due;
        next->due += next->period;
        if (next->onTick)
            next->onTick();
    }
    // A tick may advance the clock itself, as a message box's loop does;
    // time never runs back.
    if (end > now_)
        now_ = end;
}

}  // namespace kestrani::fakes
