#pragma once
// Dating input events on the program's steady clock. Each event carries the
// time it was made on the window system's own clock, in milliseconds that wrap
// after 2^32; events made while the program was busy or waiting arrive late.

#include <cstdint>
#include <optional>

#include "engine/exercise_ports.h"

namespace kestrani {

class InputTimes {
public:
    virtual ~InputTimes() = default;
    // Every input event, as it arrives.
    virtual void observe(std::uint64_t eventTime) = 0;
    // When an event that has arrived was made, on the steady clock.
    virtual std::int64_t madeAt(std::uint64_t eventTime) const = 0;
};

// The window system's clock runs at the steady clock's pace from another
// origin. The offset between them is estimated as the smallest gap yet seen
// between an event's own time and its arrival: never less than the true one,
// so no event is ever dated earlier than it was made, and within the
// quickest delivery seen of it. The estimate is let go a little as time
// passes, so that a drift between the clocks cannot pile up.
class InputClock : public InputTimes {
public:
    explicit InputClock(const SteadyClock& clock) : clock_(clock) {}
    void observe(std::uint64_t eventTime) override;
    std::int64_t madeAt(std::uint64_t eventTime) const override;

private:
    std::int64_t unwrapped(std::uint64_t eventTime) const;
    std::int64_t offsetAt(std::int64_t now) const;

    const SteadyClock& clock_;
    std::optional<std::int64_t> offset_;  // steady time minus unwrapped event time
    std::int64_t offsetSeenAt_ = 0;       // steady time of the last estimate
    std::int64_t lastEventTime_ = 0;      // unwrapped
};

// Where events carry no time of their own (a platform without input devices):
// each is dated when it arrives.
class ArrivalTimes : public InputTimes {
public:
    explicit ArrivalTimes(const SteadyClock& clock) : clock_(clock) {}
    void observe(std::uint64_t) override {}
    std::int64_t madeAt(std::uint64_t) const override { return clock_.milliseconds(); }

private:
    const SteadyClock& clock_;
};

}  // namespace kestrani
