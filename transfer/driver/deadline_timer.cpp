// The system clock behind the reply timer.
#include "driver/deadline_timer.h"

#include <chrono>

namespace tarvo::xfer {

std::uint64_t SteadyClock::nowMs() {
    return std::uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now().time_since_epoch())
                             .count());
}

}  // namespace tarvo::xfer
