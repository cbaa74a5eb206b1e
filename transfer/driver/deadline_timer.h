// DeadlineTimer: the reply timer of the main loop, a deadline on a clock that
// the loop's poll waits for.
#pragma once
#include <optional>

#include "protocol/session_host.h"

namespace tarvo::xfer {

class DeadlineTimer : public ReplyTimer {
public:
    explicit DeadlineTimer(Clock& clock) : clock_(clock) {}
    bool start(int milliseconds) override {
        deadline_ = clock_.nowMs() + std::uint64_t(milliseconds < 0 ? 0 : milliseconds);
        return true;
    }
    void stop() override { deadline_.reset(); }
    bool running() const { return deadline_.has_value(); }
    bool due() { return deadline_ && clock_.nowMs() >= *deadline_; }
    /// Milliseconds until the deadline (0 when due), -1 when not running.
    int msUntilDue() {
        if (!deadline_) return -1;
        std::uint64_t now = clock_.nowMs();
        return now >= *deadline_ ? 0 : int(*deadline_ - now);
    }

private:
    Clock& clock_;
    std::optional<std::uint64_t> deadline_;
};

/// The monotonic clock of the system.
class SteadyClock : public Clock {
public:
    std::uint64_t nowMs() override;
};

}  // namespace tarvo::xfer
