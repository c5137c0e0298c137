#pragma once
// The system's steady clock in milliseconds.

#include <chrono>

#include "engine/exercise_ports.h"

namespace kestrani {

class SystemSteadyClock : public SteadyClock {
public:
    std::int64_t milliseconds() const override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    }
};

}  // namespace kestrani
