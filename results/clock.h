#pragma once
// Wall-clock time for the results.

#include <chrono>
#include <cstdint>

namespace kestrani {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since 1970-01-01 UTC.
    virtual std::int64_t millisecondsSinceEpoch() const = 0;
};

class SystemClock : public Clock {
public:
    std::int64_t millisecondsSinceEpoch() const override {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    }
};

}  // namespace kestrani
