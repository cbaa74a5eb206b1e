// Wire-time scheduling of the throttle, on a made-up time line.
#include "tarvo/vterm/line_pacer.h"

#include <gtest/gtest.h>

namespace tarvo::vterm {
namespace {

constexpr std::int64_t kSecond = 1'000'000'000;

TEST(LinePacer, TenBitsPerByteAtTheLineRate) {
    struct Case {
        int baud;
        std::size_t bytes;
        std::int64_t nanos;
    };
    for (const Case& c : {Case{9600, 960, kSecond}, Case{19200, 1920, kSecond},
                          Case{38400, 3840, kSecond}, Case{9600, 1, kSecond / 960}}) {
        LinePacer pacer;
        EXPECT_EQ(pacer.schedule(0, c.bytes, c.baud), c.nanos) << c.baud << " " << c.bytes;
    }
}

TEST(LinePacer, BytesQueueBehindEachOtherButNotBehindAnIdleLine) {
    LinePacer pacer;
    EXPECT_EQ(pacer.schedule(0, 960, 9600), kSecond);
    // Handed over while the wire is still busy: they wait their turn.
    EXPECT_EQ(pacer.schedule(kSecond / 2, 960, 9600), 2 * kSecond);
    // After an idle gap the wire is free at once.
    EXPECT_EQ(pacer.schedule(5 * kSecond, 960, 9600), 6 * kSecond);
}

TEST(LinePacer, UnknownRateMovesBytesAtOnce) {
    LinePacer pacer;
    EXPECT_EQ(pacer.schedule(7, 100, 0), 7);
}

}  // namespace
}  // namespace tarvo::vterm
