// The monotonic system clock.
#include "tarvo/vterm/clock.h"

#include <chrono>

namespace tarvo::vterm {

std::int64_t SteadyClock::nowNanos() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace tarvo::vterm
