// Schedules bytes on one direction of a serial wire: every byte takes ten bit
// times (start, eight data, stop) at the line rate, and a byte cannot start
// before the previous one has left.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvo::vterm {

class LinePacer {
  public:
    /// Bytes handed over at `nowNanos` at `baud`; returns when the last of
    /// them has left the wire. A rate of 0 or less moves them at once.
    std::int64_t schedule(std::int64_t nowNanos, std::size_t count, int baud);

  private:
    std::int64_t busyUntil_ = 0;
};

}  // namespace tarvo::vterm
