// Time source of the virtual terminal; tests inject a fake one.
#pragma once

#include <cstdint>

namespace tarvo::vterm {

class Clock {
  public:
    virtual ~Clock() = default;
    /// Monotonic time in nanoseconds from an arbitrary origin.
    virtual std::int64_t nowNanos() const = 0;
};

/// The system's monotonic clock.
class SteadyClock : public Clock {
  public:
    std::int64_t nowNanos() const override;
};

}  // namespace tarvo::vterm
