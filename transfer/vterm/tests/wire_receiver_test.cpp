// Line assembly of probes and records from a byte stream.
#include "tarvo/vterm/wire_receiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tarvo/vterm/hex_record.h"

namespace tarvo::vterm {
namespace {

// Pushes every byte and lists the events other than None, with the record
// text for Record events.
std::vector<std::string> eventsOf(WireReceiver& receiver, const std::string& bytes) {
    std::vector<std::string> events;
    for (char c : bytes) {
        switch (receiver.push(static_cast<std::uint8_t>(c))) {
            case WireEvent::None:
                break;
            case WireEvent::Probe:
                events.push_back("probe");
                break;
            case WireEvent::Record:
                events.push_back(receiver.line());
                break;
            case WireEvent::Overlong:
                events.push_back("overlong");
                break;
            case WireEvent::Noise:
                events.push_back("noise");
                break;
        }
    }
    return events;
}

struct StreamCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> expected;
};

void PrintTo(const StreamCase& c, std::ostream* os) {
    *os << c.name;
}

class WireReceiverStream : public ::testing::TestWithParam<StreamCase> {};

TEST_P(WireReceiverStream, SplitsAsExpected) {
    WireReceiver receiver;
    EXPECT_EQ(eventsOf(receiver, GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, WireReceiverStream,
    ::testing::Values(
        StreamCase{"probe", std::string("/.\rj"), {"probe"}},
        StreamCase{"probe_then_record",
                   std::string("/.\rj:020000FF0002FD\r"),
                   {"probe", ":020000FF0002FD"}},
        StreamCase{"two_probes", std::string("/.\rj/.\rj"), {"probe", "probe"}},
        // A probe cut short is not a probe; a fresh '/' starts a new try.
        StreamCase{"broken_probe", std::string("/./.\rj"), {"probe"}},
        StreamCase{"probe_without_j", std::string("/.\rx"), {"noise"}},
        StreamCase{"noise_before_record",
                   std::string("\x06z:00000001FF\r"),
                   {"noise", "noise", ":00000001FF"}},
        StreamCase{"line_feed_ignored", std::string(":00000001FF\r\n"), {":00000001FF"}},
        // A second colon restarts a line that was cut short.
        StreamCase{"colon_restarts", std::string(":0200:00000001FF\r"), {":00000001FF"}},
        StreamCase{"record_ends_only_at_cr", std::string(":000000F2"), {}}),
    [](const ::testing::TestParamInfo<StreamCase>& info) { return std::string(info.param.name); });

TEST(WireReceiver, OverlongLineIsDroppedAndTheNextRecordIsRead) {
    WireReceiver receiver;
    const std::string tooLong = ":" + std::string(kMaxRecordLineChars, '0');
    EXPECT_EQ(eventsOf(receiver, tooLong), (std::vector<std::string>{"overlong"}));
    // The rest of the spoilt line is noise; the next record is whole again.
    EXPECT_EQ(eventsOf(receiver, "00\r:00000001FF\r"),
              (std::vector<std::string>{"noise", "noise", "noise", ":00000001FF"}));
}

TEST(WireReceiver, LongestValidLineIsAccepted) {
    WireReceiver receiver;
    const std::string longest = ":" + std::string(kMaxRecordLineChars - 1, '0') + "\r";
    EXPECT_EQ(eventsOf(receiver, longest).size(), 1u);
    EXPECT_EQ(receiver.line().size(), kMaxRecordLineChars);
}

TEST(WireReceiver, ResetForgetsHalfALine) {
    WireReceiver receiver;
    eventsOf(receiver, ":020000FF00");
    receiver.reset();
    EXPECT_EQ(eventsOf(receiver, "02FD\r"),
              (std::vector<std::string>{"noise", "noise", "noise", "noise", "noise"}));
}

}  // namespace
}  // namespace tarvo::vterm
