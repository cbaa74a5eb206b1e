// Wire-time scheduling for the throttle.
#include "tarvo/vterm/line_pacer.h"

#include <algorithm>

namespace tarvo::vterm {

std::int64_t LinePacer::schedule(std::int64_t nowNanos, std::size_t count, int baud) {
    const std::int64_t start = std::max(nowNanos, busyUntil_);
    if (baud <= 0) return busyUntil_ = start;
    constexpr std::int64_t kBitsPerByte = 10;
    constexpr std::int64_t kNanosPerSecond = 1'000'000'000;
    busyUntil_ = start + static_cast<std::int64_t>(count) * kBitsPerByte * kNanosPerSecond / baud;
    return busyUntil_;
}

}  // namespace tarvo::vterm
