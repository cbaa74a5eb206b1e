// A clock the tests move by hand.
#pragma once

#include "tarvo/vterm/clock.h"

namespace tarvo::vterm::testing {

class FakeClock : public Clock {
  public:
    std::int64_t nowNanos() const override { return now_; }
    void advanceMillis(std::int64_t millis) { now_ += millis * 1'000'000; }

  private:
    std::int64_t now_ = 5'000'000'000;
};

}  // namespace tarvo::vterm::testing
